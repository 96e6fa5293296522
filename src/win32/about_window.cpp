#include "win32/about_window.h"

#include "game/window_description.h"
#include "win32/resource_ids.h"
#include "win32/win32_front_end.h"
#include "win32/window_helpers.h"

#include <vector>

namespace velmora {

namespace {

const wchar_t* const AboutClass = L"VelmoraAbout";

} // namespace

AboutWindow::AboutWindow(HINSTANCE instance, std::function<void()> systemInfo, std::function<void()> onClosed)
    : instance_(instance)
    , systemInfo_(std::move(systemInfo))
    , onClosed_(std::move(onClosed))
    , controls_(instance)
{
    create();
}

AboutWindow::~AboutWindow()
{
    onClosed_ = nullptr;
    if (window_)
        DestroyWindow(window_);
}

void AboutWindow::create()
{
    registerWindowClass(instance_, AboutClass, windowProc, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));

    // Fixed border, no minimise or maximise, not in the task bar.
    const AboutDescription& about = aboutWindow();
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_POPUP | WS_CLIPCHILDREN;
    const DWORD extended = WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT frame{0, 0, about.clientWidth, about.clientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, extended);
    window_ = CreateWindowExW(extended, AboutClass, wide(about.title).c_str(), style, about.left, about.top,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance_, this);
    // Each control goes above the ones made before it.
    std::vector<HWND> made;
    for (const ControlDescription& control : about.controls) {
        const bool ok = control.kind == ControlKind::Button && !control.command;
        made.push_back(controls_.make(window_, control, ok ? IDOK : 0));
        SetWindowPos(made.back(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    HANDLE icon = LoadImageW(instance_, MAKEINTRESOURCEW(IDI_ABOUT), IMAGE_ICON, 32, 32, 0);
    SendMessageW(made.at(0), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    SetWindowLongPtrW(made.at(1), GWL_STYLE, GetWindowLongPtrW(made.at(1), GWL_STYLE) | BS_DEFPUSHBUTTON);
    SetFocus(made.at(1));
}

void AboutWindow::show()
{
    ShowWindow(window_, SW_SHOWNORMAL);
    BringWindowToTop(window_);
    SetForegroundWindow(window_);
    SetFocus(GetDlgItem(window_, IDOK));
}

bool AboutWindow::handles(MSG& message)
{
    return window_ && IsDialogMessageW(window_, &message);
}

LRESULT CALLBACK AboutWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = windowOwner<AboutWindow>(window, message, lParam);
    return self ? self->handle(window, message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT AboutWindow::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            DestroyWindow(window);
        } else if (LOWORD(wParam) == commandId(Command::SystemInfo)) {
            systemInfo_();
        }
        return 0;
    case WM_CTLCOLORSTATIC: {
        // Labels without a face of their own show the dialog's.
        HDC dc = reinterpret_cast<HDC>(wParam);
        if (HBRUSH own = controls_.colours(reinterpret_cast<HWND>(lParam), dc))
            return reinterpret_cast<LRESULT>(own);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_NCDESTROY: {
        window_ = nullptr;
        // The last step: the owner may delete this object now.
        const std::function<void()> closed = onClosed_;
        if (closed)
            closed();
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace velmora
