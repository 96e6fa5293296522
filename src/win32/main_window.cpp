// The main window of the Win32 front end: its class, menus, accelerators and
// controls, its window procedure, and the message loop with the key preview.

#include "win32/windows_registry.h"  // before windows.h, whose macros spell the registry's names
#include "game/game.h"
#include "sound/cue_table.h"
#include "win32/about_window.h"
#include "win32/resource_ids.h"
#include "win32/win32_front_end.h"
#include "win32/window_helpers.h"
#include "win32/winmm_player.h"


namespace velmora {

namespace {

constexpr int ClockTimer = 1;
constexpr int CueTimer = 2;
constexpr UINT ShowBoxMessage = WM_APP + 1;

enum CommandId : int {
    StartCommand = 101,
    OptionsCommand,
    ExitCommand,
    AboutCommand,
    TimeUpCommand = 201,
    TimeDownCommand,
    LevelUpCommand,
    LevelDownCommand,
    ApplyCommand,
};

const wchar_t* const MainClass = L"VelmoraForm";
const wchar_t* const SpriteClass = L"VelmoraSprite";
const wchar_t* const PanelClass = L"VelmoraPanel";

} // namespace

Win32FrontEnd::Win32FrontEnd(HINSTANCE instance, Game& game)
    : instance_(instance)
    , game_(game)
    , player_(std::make_unique<WinmmPlayer>())
    , registry_(makeWindowsRegistry())
    , system_(std::make_unique<WindowsSystem>())
{
}

Win32FrontEnd::~Win32FrontEnd()
{
    about_.reset();
    if (window_)
        DestroyWindow(window_);
    deleteObjects({panelFont_, largeFont_, boardBrush_, panelBrush_, captionBrush_});
    if (accelerators_)
        DestroyAcceleratorTable(accelerators_);
}

bool Win32FrontEnd::create()
{
    registerWindowClass(instance_, MainClass, mainProc, LoadIconW(instance_, MAKEINTRESOURCEW(IDI_VELMORA)));
    registerWindowClass(instance_, SpriteClass, spriteProc);
    registerWindowClass(instance_, PanelClass, panelProc);

    boardBrush_ = CreateSolidBrush(RGB(192, 192, 0));
    panelBrush_ = CreateSolidBrush(RGB(0, 0, 255));
    captionBrush_ = CreateSolidBrush(RGB(255, 255, 0));
    panelFont_ = controlFont(13.5);
    largeFont_ = controlFont(18);

    menu_ = CreateMenu();
    HMENU gameMenu = CreatePopupMenu();
    AppendMenuW(gameMenu, MF_STRING, StartCommand, L"StartJoc\tF2");
    AppendMenuW(gameMenu, MF_STRING, OptionsCommand, L"Optiuni\tCtrl+O");
    AppendMenuW(gameMenu, MF_STRING, ExitCommand, L"Exit\tF4");
    AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(gameMenu), L"Joc");
    HMENU helpMenu = CreatePopupMenu();
    AppendMenuW(helpMenu, MF_STRING, AboutCommand, L"Despre\tF1");
    AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(helpMenu), L"Ajutor");
    ACCEL keys[] = {{FVIRTKEY, VK_F2, StartCommand},
                    {FVIRTKEY | FCONTROL, 'O', OptionsCommand},
                    {FVIRTKEY, VK_F4, ExitCommand},
                    {FVIRTKEY, VK_F1, AboutCommand}};
    accelerators_ = CreateAcceleratorTableW(keys, 4);

    // The client area is 1002 x 628 below the menu bar, centred on the screen.
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    RECT frame{0, 0, Game::ClientWidth, Game::ClientHeight};
    AdjustWindowRectEx(&frame, style, TRUE, WS_EX_CONTROLPARENT);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    window_ = CreateWindowExW(WS_EX_CONTROLPARENT, MainClass, L"Form1", style,
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
    // The panel is a window of its own at (8, 432), painted blue, holding the
    // captioned frame and the controls; it hands their messages up to the
    // main window.
    panelArea_ = CreateWindowExW(WS_EX_CONTROLPARENT, PanelClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 8, 432, 481, 169,
                                 window_, nullptr, instance_, this);
    auto control = [this](HWND parent, const wchar_t* kind, const wchar_t* text, DWORD style, int x, int y, int width,
                          int height, int id, HFONT font) {
        HWND made = CreateWindowExW(0, kind, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, x, y, width, height,
                                    parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
        SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return made;
    };
    // Made in tab order.
    panel_ = control(panelArea_, L"BUTTON", L"Optiuni", BS_GROUPBOX, 0, 0, 481, 169, 0, panelFont_);
    timeLimitBox_ = control(panelArea_, L"EDIT", L"Text1", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 176, 48, 57, 41, 0,
                            panelFont_);
    timeUpButton_ = control(panelArea_, L"BUTTON", L"Up", WS_TABSTOP, 128, 48, 41, 41, TimeUpCommand, panelFont_);
    timeDownButton_ = control(panelArea_, L"BUTTON", L"Down", WS_TABSTOP, 240, 48, 65, 41, TimeDownCommand, panelFont_);
    levelUpButton_ = control(panelArea_, L"BUTTON", L"Up", WS_TABSTOP, 128, 104, 41, 41, LevelUpCommand, panelFont_);
    diskCountBox_ = control(panelArea_, L"EDIT", L"Text2", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 176, 104, 57, 41, 0,
                            panelFont_);
    levelDownButton_ =
        control(panelArea_, L"BUTTON", L"Down", WS_TABSTOP, 240, 104, 65, 41, LevelDownCommand, panelFont_);
    applyButton_ = control(panelArea_, L"BUTTON", L"Ok", WS_TABSTOP, 328, 72, 105, 41, ApplyCommand, largeFont_);
    timeCaption_ = control(panelArea_, L"STATIC", L"Time", SS_CENTER, 16, 48, 105, 41, 0, panelFont_);
    levelCaption_ = control(panelArea_, L"STATIC", L"Level", SS_CENTER, 16, 104, 105, 41, 0, panelFont_);
    // The frame under its controls.
    SetWindowPos(panel_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    sprite_ = CreateWindowExW(0, SpriteClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 264, 640, 185, 161, window_, nullptr,
                              instance_, this);
    readOut_ = control(window_, L"STATIC", L"", SS_CENTER, 405, 384, 7, 29, 0, largeFont_);
    // Stacking, bottom first: the read-out, the panel, and the sprite over all.
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
        FillRect(reinterpret_cast<HDC>(wParam), &area, self->panelBrush_);
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
        game_.surface().ensureSize(LOWORD(lParam), HIWORD(lParam));
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
        HDC dc = reinterpret_cast<HDC>(wParam);
        const HWND control = reinterpret_cast<HWND>(lParam);
        SetTextColor(dc, RGB(0, 0, 0));
        if (control == timeCaption_ || control == levelCaption_) {
            SetBkColor(dc, RGB(255, 255, 0));
            return reinterpret_cast<LRESULT>(captionBrush_);
        }
        if (control == panel_) {
            SetBkColor(dc, RGB(0, 0, 255));
            return reinterpret_cast<LRESULT>(panelBrush_);
        }
        SetBkColor(dc, RGB(192, 192, 0));
        return reinterpret_cast<LRESULT>(boardBrush_);
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
    static const std::pair<int, Command> commands[] = {
        {StartCommand, Command::Start},      {OptionsCommand, Command::Options},   {ExitCommand, Command::Exit},
        {AboutCommand, Command::About},      {TimeUpCommand, Command::TimeUp},     {TimeDownCommand, Command::TimeDown},
        {LevelUpCommand, Command::LevelUp}, {LevelDownCommand, Command::LevelDown}, {ApplyCommand, Command::Apply}};
    for (const auto& [known, command] : commands)
        if (known == id)
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
