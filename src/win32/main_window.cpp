// The Win32 front end's windows: the main window with its menus,
// accelerators and controls, the About, the one window procedure that serves
// them all, and the message loop with the key preview.

#include "game/game.h"
#include "win32/resource_ids.h"
#include "win32/accessibility.h"
#include "win32/win32_front_end.h"

#include <windowsx.h>

#include <utility>
#include <vector>

namespace velmora {

namespace {

const wchar_t* const WindowClass = L"Velmora";

} // namespace

// A window of the program's class at a place on its parent or the screen,
// sized so that its client area is the one described, at the density.
HWND Win32FrontEnd::makeWindow(const std::string& title, DWORD style, DWORD extended, POINT at, SIZE client,
                               HWND parent, UINT dpi, HMENU menu)
{
    RECT frame{0, 0, scaled(client.cx, dpi), scaled(client.cy, dpi)};
    AdjustWindowRectExForDpi(&frame, style, menu != nullptr, extended, dpi);
    return CreateWindowExW(extended, WindowClass, wide(title).c_str(), style, at.x, at.y, frame.right - frame.left,
                           frame.bottom - frame.top, parent, menu, instance_, this);
}

bool Win32FrontEnd::create()
{
    // Windows without a face of their own (the About's) show the dialogs'.
    const WNDCLASSEXW type{sizeof type, 0, windowProc, 0, 0, instance_,
                           LoadIconW(instance_, MAKEINTRESOURCEW(IDI_VELMORA)),
                           LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)),
                           reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr, WindowClass, nullptr};
    RegisterClassExW(&type);
    createMenus();

    // Centred in the screen's work area.
    const MainWindowDescription& description = mainWindow();
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    const UINT dpi = GetDpiForSystem();
    RECT frame{0, 0, scaled(description.clientWidth, dpi), scaled(description.clientHeight, dpi)};
    AdjustWindowRectExForDpi(&frame, style, TRUE, WS_EX_CONTROLPARENT, dpi);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const POINT at{work.left + (work.right - work.left - (frame.right - frame.left)) / 2,
                   work.top + (work.bottom - work.top - (frame.bottom - frame.top)) / 2};
    window_ = makeWindow(description.title, style, WS_EX_CONTROLPARENT, at,
                         SIZE{description.clientWidth, description.clientHeight}, nullptr, dpi, menu_);
    messages_ = CreateWindowExW(0, WindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance_, this);
    if (!window_ || !messages_)
        return false;
    createControls();
    return true;
}

void Win32FrontEnd::createMenus()
{
    menu_ = CreateMenu();
    std::vector<ACCEL> keys;
    for (const MenuDescription& menu : mainWindow().menus) {
        HMENU list = CreatePopupMenu();
        for (const MenuItemDescription& item : menu.items) {
            const int id = commandId(item.command);
            // The shortcut shows beside the caption.
            const std::wstring caption = wide(std::string(item.caption) + "\t" + shortcutText(item));
            AppendMenuW(list, MF_STRING, static_cast<UINT_PTR>(id), caption.c_str());
            const auto modifiers = static_cast<BYTE>(FVIRTKEY | (item.control ? FCONTROL : 0));
            keys.push_back(ACCEL{modifiers, item.key, static_cast<WORD>(id)});
        }
        AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(list), wide(menu.caption).c_str());
    }
    accelerators_ = CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));
}

void Win32FrontEnd::createControls()
{
    // Stacking, bottom first: the read-out, the panel, and the sprite over all.
    const MainWindowDescription& description = mainWindow();
    readOut_ = controls_.make(window_, description.readout);
    const UINT dpi = GetDpiForWindow(window_);
    const Rect& panel = description.panel.rect;
    panelArea_ = makeWindow("", WS_CHILD | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT,
                            POINT{scaled(panel.left, dpi), scaled(panel.top, dpi)}, SIZE{panel.width, panel.height},
                            window_, dpi);
    ControlDescription frame = description.panel;
    frame.rect = Rect{0, 0, frame.rect.width, frame.rect.height};
    HWND frameWindow = controls_.make(panelArea_, frame);
    for (const ControlDescription& control : description.panelControls) {
        HWND made = controls_.make(panelArea_, control);
        if (control.box)
            optionBoxes_[*control.box] = made;
    }
    // The frame under its controls.
    SetWindowPos(frameWindow, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    sprite_ = makeWindow("", WS_CHILD | WS_CLIPSIBLINGS, 0, POINT{}, SIZE{}, window_, dpi);
    for (HWND layer : {readOut_, panelArea_, sprite_})
        SetWindowPos(layer, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Fixed border, no minimise or maximise, not in the task bar, no owner. Each
// control goes above the ones made before it.
void Win32FrontEnd::openAbout()
{
    const AboutDescription& description = aboutWindow();
    const UINT dpi = GetDpiForSystem();
    about_ = makeWindow(description.title, WS_CAPTION | WS_SYSMENU | WS_POPUP | WS_CLIPCHILDREN,
                        WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
                        POINT{scaled(description.left, dpi), scaled(description.top, dpi)},
                        SIZE{description.clientWidth, description.clientHeight}, nullptr, dpi);
    for (const ControlDescription& control : description.controls) {
        HWND made = controls_.make(about_, control);
        SetWindowPos(made, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        if (control.kind == ControlKind::Picture) {
            // One icon for every opening, kept by the system.
            HANDLE icon = LoadImageW(instance_, MAKEINTRESOURCEW(IDI_ABOUT), IMAGE_ICON, scaled(32, dpi),
                                     scaled(32, dpi), LR_SHARED);
            SendMessageW(made, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
        }
    }
    focusAbout();
}

void Win32FrontEnd::focusAbout()
{
    if (!about_)
        return;
    ShowWindow(about_, SW_SHOWNORMAL);
    BringWindowToTop(about_);
    SetForegroundWindow(about_);
    SetFocus(GetDlgItem(about_, IDOK));
}

void Win32FrontEnd::closeAbout()
{
    // Closed from its own message, once the game's call has returned.
    if (about_) {
        aboutClosing_ = true;
        PostMessageW(about_, WM_CLOSE, 0, 0);
    }
}

int Win32FrontEnd::run(int how)
{
    ShowWindow(window_, how);
    UpdateWindow(window_);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Key preview: the game sees every key going down in its window
        // first, wherever the focus is, with Alt too (a system key); the key
        // then goes on, so Alt and its letters still open the menus.
        const bool keyDown = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
        if (window_ && keyDown && (message.hwnd == window_ || IsChild(window_, message.hwnd))) {
            game_.keyDown(static_cast<std::int16_t>(message.wParam));
        }
        // Ctrl+A selects a text box's whole text, as on every other desktop.
        if (message.message == WM_KEYDOWN && message.wParam == 'A' && GetKeyState(VK_CONTROL) < 0
            && GetParent(message.hwnd) == panelArea_ && SendMessageW(message.hwnd, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) {
            SendMessageW(message.hwnd, EM_SETSEL, 0, -1);
            continue;
        }
        if (about_ && IsDialogMessageW(about_, &message))
            continue;
        if (window_ && TranslateAcceleratorW(window_, accelerators_, &message))
            continue;
        if (window_ && IsDialogMessageW(window_, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return exitStatus_;
}

// Every window of the program was made with this front end as its creation
// parameter, kept with the window from its first message on.
LRESULT CALLBACK Win32FrontEnd::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<Win32FrontEnd*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->handle(window, message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Win32FrontEnd::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: {
        // The board and the sprite cover their windows; the panel shows its face.
        if (window == about_)
            break;
        RECT area{};
        GetClientRect(window, &area);
        if (window == panelArea_)
            FillRect(reinterpret_cast<HDC>(wParam), &area, controls_.brush(*mainWindow().panel.face));
        return 1;
    }
    case WM_PAINT:
        if (window != window_ && window != sprite_)
            break;
        paint(window);
        return 0;
    case WM_GETOBJECT:
        // A screen reader asks: from now on the board is told in words, as
        // the value of the client area, which it names. It may ask while a
        // call of the game's is running (a change the window announces is
        // read at once), so the game hears of it from a message of its own.
        if (window == window_) {
            if (!std::exchange(screenReader_, true))
                PostMessageW(messages_, ScreenReaderMessage, 0, 0);
            if (const LRESULT answer = answerGetObject(window, wParam, lParam, wide(mainWindow().boardName),
                                                      [this] { return boardWords_; }))
                return answer;
        }
        break;
    case WM_SETFOCUS:
        // The board has the keyboard whenever no control has it (the window
        // takes it as it comes to the front, from the About or a box too):
        // a screen reader follows the focus to the board, and then speaks
        // each change of its words.
        if (window == window_)
            NotifyWinEvent(EVENT_OBJECT_FOCUS, window_, OBJID_CLIENT, CHILDID_SELF);
        break;
    case WM_LBUTTONDOWN:
        // A press on the board or the sprite over it (the read-out lets it
        // through; the panel keeps its own), as a point of the board.
        if (window == window_ || window == sprite_) {
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            MapWindowPoints(window, window_, &at, 1);
            const double dpi = GetDpiForWindow(window_);
            game_.boardPressed(at.x * 96.0 / dpi, at.y * 96.0 / dpi);
            return 0;
        }
        break;
    case WM_SIZE:
        if (window == window_) {
            const int dpi = static_cast<int>(GetDpiForWindow(window));
            game_.resizeClient((LOWORD(lParam) * 96 + dpi - 1) / dpi, (HIWORD(lParam) * 96 + dpi - 1) / dpi);
        }
        return 0;
    case WM_DPICHANGED:
        // Moved to a screen of another density: every control again at it.
        if (window == window_ || window == about_) {
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                         suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
            controls_.rescale(window);
            if (window == window_)
                placeChildren();
            InvalidateRect(window, nullptr, TRUE);
        }
        return 0;
    case WM_TIMER:
        if (wParam == ClockTimer) {
            game_.tick();
        } else if (wParam == CueTimer && !player_->holding()) {
            KillTimer(window, CueTimer);
            game_.cueEnded();
        }
        return 0;
    case ShowBoxMessage:
        showNextBox();
        return 0;
    case ScreenReaderMessage:
        game_.setScreenReader(true);
        return 0;
    case WM_COMMAND: {
        // Menu items (0), accelerators (1) and clicked buttons (BN_CLICKED, 0).
        const int id = LOWORD(wParam);
        if (window == about_ && (id == IDOK || id == IDCANCEL)) {
            // Enter and Esc press the default button.
            for (const ControlDescription& control : aboutWindow().controls)
                if (control.isDefault && control.command)
                    game_.command(*control.command);
        } else if (HIWORD(wParam) <= 1 && id >= commandId(Command::Start) && id <= commandId(Command::CloseAbout)) {
            game_.command(static_cast<Command>(id - commandId(Command::Start)));
        }
        return 0;
    }
    case WM_DRAWITEM:
        controls_.drawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CTLCOLORSTATIC: {
        // A label without a face of its own (the read-out, the About's texts)
        // shows its window's.
        const COLORREF dialog = GetSysColor(COLOR_BTNFACE);
        const Pixel around = window == about_ ? rgb(GetRValue(dialog), GetGValue(dialog), GetBValue(dialog))
                                              : mainWindow().background;
        return reinterpret_cast<LRESULT>(
            controls_.colours(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam), around));
    }
    case WM_CLOSE:
        // Closing the main window by its frame ends it and its clock when the
        // game agrees (and the program, unless the About is still open). The
        // About's close box is its OK: it closes when the game says so.
        if (window == window_ && !game_.closeWindow())
            return 0;
        if (window == about_ && !aboutClosing_) {
            game_.command(Command::CloseAbout);
            return 0;
        }
        break;
    case WM_DESTROY:
        if (window == about_) {
            controls_.forgetChildren(about_);
            about_ = nullptr;
            aboutClosing_ = false;
        } else if (window == window_) {
            window_ = nullptr;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace velmora
