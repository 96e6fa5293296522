// The main window of the Win32 front end: its class, menus, accelerators and
// controls, its window procedure, and the message loop with the key preview.

#include "win32/windows_registry.h"  // before windows.h, whose macros spell the registry's names
#include "game/game.h"
#include "sound/cue_table.h"
#include "sound/winmm_sound_player.h"
#include "game/window_description.h"
#include "win32/about_window.h"
#include "win32/controls.h"
#include "win32/resource_ids.h"
#include "win32/win32_front_end.h"
#include "win32/window_helpers.h"


namespace velmora {

namespace {

constexpr int ClockTimer = 1;
constexpr int CueTimer = 2;
constexpr UINT ShowBoxMessage = WM_APP + 1;

const wchar_t* const MainClass = L"VelmoraForm";
const wchar_t* const SpriteClass = L"VelmoraSprite";
const wchar_t* const PanelClass = L"VelmoraPanel";

} // namespace

Win32FrontEnd::Win32FrontEnd(HINSTANCE instance, Game& game)
    : instance_(instance)
    , game_(game)
    , player_(std::make_unique<WinmmSoundPlayer>())
    , registry_(makeWindowsRegistry())
    , system_(std::make_unique<WindowsSystem>())
    , controls_(instance)
{
}

Win32FrontEnd::~Win32FrontEnd()
{
    about_.reset();
    if (window_)
        DestroyWindow(window_);
    if (accelerators_)
        DestroyAcceleratorTable(accelerators_);
}

bool Win32FrontEnd::create()
{
    registerWindowClass(instance_, MainClass, mainProc, LoadIconW(instance_, MAKEINTRESOURCEW(IDI_VELMORA)));
    registerWindowClass(instance_, SpriteClass, spriteProc);
    registerWindowClass(instance_, PanelClass, panelProc);

    const MainWindowDescription& description = mainWindow();
    menu_ = CreateMenu();
    std::vector<ACCEL> keys;
    for (const MenuDescription& menu : description.menus) {
        HMENU list = CreatePopupMenu();
        for (const MenuItemDescription& item : menu.items) {
            const int id = commandId(item.command);
            // The shortcut shows beside the caption.
            const std::wstring caption = wide(std::string(item.caption) + "\t" + item.shortcut);
            AppendMenuW(list, MF_STRING, static_cast<UINT_PTR>(id), caption.c_str());
            const auto modifiers = static_cast<BYTE>(FVIRTKEY | (item.control ? FCONTROL : 0));
            keys.push_back(ACCEL{modifiers, item.key, static_cast<WORD>(id)});
        }
        AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(list), wide(menu.caption).c_str());
    }
    accelerators_ = CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));

    // The client area below the menu bar, centred on the screen.
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT frame{0, 0, description.clientWidth, description.clientHeight};
    AdjustWindowRectEx(&frame, style, TRUE, WS_EX_CONTROLPARENT);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    window_ = CreateWindowExW(WS_EX_CONTROLPARENT, MainClass, wide(description.title).c_str(), style,
                              work.left + (work.right - work.left - width) / 2,
                              work.top + (work.bottom - work.top - height) / 2, width, height, nullptr, menu_,
                              instance_, this);
    if (!window_)
        return false;
    createControls();
    return true;
}

void Win32FrontEnd::createControls()
{
    // Stacking, bottom first: the read-out, the panel, and the sprite over all.
    const MainWindowDescription& description = mainWindow();
    readOut_ = controls_.make(window_, description.readout);
    // The panel is a window of its own, painted in the frame's face and
    // holding the frame and its controls; it hands their messages up to the
    // main window.
    const Rect& panel = description.panel.rect;
    panelArea_ = CreateWindowExW(WS_EX_CONTROLPARENT, PanelClass, L"", WS_CHILD | WS_CLIPSIBLINGS, panel.left,
                                 panel.top, panel.width, panel.height, window_, nullptr, instance_, this);
    ControlDescription frame = description.panel;
    frame.rect = Rect{0, 0, panel.width, panel.height};
    HWND frameWindow = controls_.make(panelArea_, frame);
    for (const ControlDescription& control : description.panelControls) {
        HWND made = controls_.make(panelArea_, control);
        if (control.box)
            optionBoxes_[*control.box] = made;
    }
    // The frame under its controls.
    SetWindowPos(frameWindow, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    sprite_ = CreateWindowExW(0, SpriteClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, window_, nullptr, instance_,
                              this);
    for (HWND layer : {readOut_, panelArea_, sprite_})
        SetWindowPos(layer, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32FrontEnd::show(int how)
{
    ShowWindow(window_, how);
    UpdateWindow(window_);
}

int Win32FrontEnd::run()
{
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Key preview: the game sees every key going down in its window
        // first, wherever the focus is; the key then goes on.
        if (window_ && message.message == WM_KEYDOWN
            && (message.hwnd == window_ || IsChild(window_, message.hwnd))) {
            const std::int16_t shift = static_cast<std::int16_t>(((GetKeyState(VK_SHIFT) < 0) ? 1 : 0)
                                                                 | ((GetKeyState(VK_CONTROL) < 0) ? 2 : 0)
                                                                 | ((GetKeyState(VK_MENU) < 0) ? 4 : 0));
            game_.keyDown(static_cast<std::int16_t>(message.wParam), shift);
        }
        if (about_ && about_->handles(message))
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

LRESULT CALLBACK Win32FrontEnd::mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = windowOwner<Win32FrontEnd>(window, message, lParam);
    return self ? self->handle(window, message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

// The panel paints its blue and passes its controls' messages to the main window.
LRESULT CALLBACK Win32FrontEnd::panelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = windowOwner<Win32FrontEnd>(window, message, lParam);
    if (!self)
        return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_ERASEBKGND: {
        RECT area{};
        GetClientRect(window, &area);
        FillRect(reinterpret_cast<HDC>(wParam), &area, self->controls_.brush(*mainWindow().panel.face));
        return 1;
    }
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        return self->handle(self->window_, message, wParam, lParam);
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT Win32FrontEnd::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // the board covers the client area
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        paintBoard(dc, paint.rcPaint);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_SIZE:
        game_.resizeClient(LOWORD(lParam), HIWORD(lParam));
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
    case WM_COMMAND:
        if (HIWORD(wParam) == 0 || HIWORD(wParam) == 1 || HIWORD(wParam) == BN_CLICKED)
            command(LOWORD(wParam));
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_CTLCOLORSTATIC: {
        // A label without a face of its own (the read-out) shows the board.
        HDC dc = reinterpret_cast<HDC>(wParam);
        if (HBRUSH own = controls_.colours(reinterpret_cast<HWND>(lParam), dc))
            return reinterpret_cast<LRESULT>(own);
        SetBkColor(dc, colourRef(mainWindow().background));
        return reinterpret_cast<LRESULT>(controls_.brush(mainWindow().background));
    }
    case WM_CLOSE:
        // Closing the window by its frame ends it and its clock; an About
        // still open keeps the program going until it is closed too.
        if (game_.closeWindow())
            DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        window_ = nullptr;
        if (!about_)
            PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void Win32FrontEnd::command(int id)
{
    for (const Command command : {Command::Start, Command::Options, Command::Exit, Command::About, Command::TimeUp,
                                  Command::TimeDown, Command::LevelUp, Command::LevelDown, Command::Apply})
        if (commandId(command) == id)
            game_.command(command);
}

void Win32FrontEnd::showAbout()
{
    if (!about_)
        about_ = std::make_unique<AboutWindow>(instance_, [this] { game_.command(Command::SystemInfo); },
                                               [this] { aboutClosed(); });
    about_->show();
}

// The About closed (its last message): the program ends if the main window
// is gone too.
void Win32FrontEnd::aboutClosed()
{
    about_.reset();
    if (!window_)
        PostQuitMessage(0);
}

// Shows the box asked for first, modal, from an event of its own: the game
// is not on the stack while it is open, and ticks run as ever. A box asked
// for meanwhile opens over it and is closed first.
void Win32FrontEnd::showNextBox()
{
    if (boxes_.empty())
        return;
    const Box box = std::move(boxes_.front());
    boxes_.pop_front();
    // Over the program's window in front (the About, for its own message).
    HWND active = GetActiveWindow();
    MessageBoxW(active ? active : window_, wide(box.prompt).c_str(), wide(box.title).c_str(), box.style);
    game_.messageClosed();
}

void Win32FrontEnd::showMessage(const std::string& prompt, const std::string& title, MessageIcon icon)
{
    boxes_.push_back(Box{prompt, title, static_cast<UINT>(MB_OK | (icon == MessageIcon::Error ? MB_ICONERROR : 0))});
    PostMessageW(window_, ShowBoxMessage, 0, 0);
}

void Win32FrontEnd::playCue(Cue cue)
{
    PlaySoundCue(*player_, programFolder(), cue);
    if (cueHolds(cue))
        SetTimer(window_, CueTimer, 10, nullptr);
}

Registry& Win32FrontEnd::registry()
{
    return *registry_;
}

SysInfoPlatform& Win32FrontEnd::system()
{
    return *system_;
}

void Win32FrontEnd::quit(int status)
{
    exitStatus_ = status;
    PostQuitMessage(status);
}

} // namespace velmora
