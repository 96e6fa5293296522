#include "win32/about_window.h"

#include "game/about_texts.h"
#include "win32/resource_ids.h"
#include "win32/win32_front_end.h"
#include "win32/window_helpers.h"

#include <cmath>

namespace velmora {

namespace {

const wchar_t* const AboutClass = L"VelmoraAbout";
constexpr int SysInfoButton = 1001;

// Twips (1/1440 inch) to pixels at 96 dots per inch, 15 to one.
int pixels(int twips)
{
    return static_cast<int>(std::lround(twips / 15.0));
}

} // namespace

AboutWindow::AboutWindow(HINSTANCE instance, std::function<void()> systemInfo, std::function<void()> onClosed)
    : instance_(instance)
    , systemInfo_(std::move(systemInfo))
    , onClosed_(std::move(onClosed))
{
    create();
}

AboutWindow::~AboutWindow()
{
    onClosed_ = nullptr;
    if (window_)
        DestroyWindow(window_);
    deleteObjects({labelFont_, buttonFont_, greyBrush_, whiteBrush_});
}

void AboutWindow::create()
{
    registerWindowClass(instance_, AboutClass, windowProc, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));

    labelFont_ = controlFont(13.5);
    buttonFont_ = controlFont(8);
    greyBrush_ = CreateSolidBrush(RGB(0x80, 0x80, 0x80));
    whiteBrush_ = CreateSolidBrush(RGB(0xFF, 0xFF, 0xFF));

    // Fixed border, no minimise or maximise, not in the task bar; 568 x 340 inside.
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_POPUP | WS_CLIPCHILDREN;
    const DWORD extended = WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    RECT frame{0, 0, 568, 340};
    AdjustWindowRectEx(&frame, style, FALSE, extended);
    const AboutTexts texts = aboutTexts();
    window_ = CreateWindowExW(extended, AboutClass, wide(texts.caption).c_str(), style, pixels(2340), pixels(1935),
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance_, this);

    auto control = [this](const wchar_t* kind, const std::wstring& text, DWORD style, int left, int top, int width,
                          int height, int id, HFONT font) {
        HWND made = CreateWindowExW(0, kind, text.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
                                    pixels(left), pixels(top), pixels(width), pixels(height), window_,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
        SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        // Each control goes above the ones made before it.
        SetWindowPos(made, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        return made;
    };
    HWND icon = control(L"STATIC", L"", SS_ICON | SS_SUNKEN, 240, 240, 540, 540, 0, labelFont_);
    SendMessageW(icon, STM_SETICON,
                 reinterpret_cast<WPARAM>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_ABOUT), IMAGE_ICON, 32, 32, 0)), 0);
    HWND ok = control(L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 6720, 4080, 1260, 345, IDOK, buttonFont_);
    control(L"BUTTON", L"&System Info...", BS_PUSHBUTTON | WS_TABSTOP, 6720, 4680, 1245, 345, SysInfoButton, buttonFont_);
    // The lines are thin controls of their own, so that they stack among the labels.
    greyLine_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, pixels(240), pixels(3720),
                                pixels(7320) - pixels(240), 1, window_, nullptr, instance_, nullptr);
    SetWindowPos(greyLine_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    control(L"STATIC", wide(AboutRules), SS_LEFT, 120, 1560, 7965, 2010, 0, labelFont_);
    control(L"STATIC", wide(texts.title), SS_LEFT, 1050, 240, 3885, 480, 0, labelFont_);
    whiteLine_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, pixels(105),
                                 pixels(2460) - 1, pixels(5654) - pixels(105), 2, window_, nullptr, instance_, nullptr);
    SetWindowPos(whiteLine_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    control(L"STATIC", wide(texts.version), SS_LEFT, 1560, 840, 3885, 585, 0, labelFont_);
    control(L"STATIC", wide(AboutDisclaimer), SS_LEFT, 120, 4080, 3870, 825, 0, labelFont_);
    SetFocus(ok);
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
        } else if (LOWORD(wParam) == SysInfoButton) {
            systemInfo_();
        }
        return 0;
    case WM_CTLCOLORSTATIC: {
        const HWND control = reinterpret_cast<HWND>(lParam);
        if (control == greyLine_ || control == whiteLine_)
            return reinterpret_cast<LRESULT>(control == greyLine_ ? greyBrush_ : whiteBrush_);
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(0, 0, 0));
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
