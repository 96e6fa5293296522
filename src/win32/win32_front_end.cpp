// The Win32 front end's answers to the game: controls, the board and the
// sprite, message boxes, the clock and the sounds.

#include "win32/windows_registry.h"  // before windows.h, whose macros spell the registry's names
#include "win32/win32_front_end.h"

#include "game/game.h"
#include "sound/cue_table.h"
#include "sound/winmm_sound_player.h"

#include <vector>

namespace velmora {

namespace {

// The folder of the running program, where the waves lie.
std::string programFolder()
{
    std::wstring path(32768, L'\0');  // the longest path Windows has
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return narrow(path.substr(0, path.find_last_of(L"\\/")));
}

} // namespace

Win32FrontEnd::Win32FrontEnd(HINSTANCE instance, Game& game)
    : instance_(instance)
    , game_(game)
    , player_(std::make_unique<WinmmSoundPlayer>())
    , registry_(makeWindowsRegistry())
    , system_(makeWindowsSystem())
    , controls_(instance)
{
}

Win32FrontEnd::~Win32FrontEnd()
{
    for (HWND window : {about_, window_, messages_})
        if (window)
            DestroyWindow(window);
    if (accelerators_)
        DestroyAcceleratorTable(accelerators_);
}

// The sprite as the game drew it; the board from the whole surface, which
// grows with the client area before any paint of it. Both at the density.
void Win32FrontEnd::paint(HWND window)
{
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window, &paint);
    const UINT dpi = GetDpiForWindow(window);
    const Surface& surface = game_.surface();
    if (window == sprite_)
        paintPixels(dc, spriteImage_.pixels.data(), spriteImage_.width, spriteImage_.height,
                    scaled(spriteImage_.width, dpi), scaled(spriteImage_.height, dpi));
    else
        paintPixels(dc, surface.pixels(), surface.width(), surface.height(), scaled(surface.width(), dpi),
                    scaled(surface.height(), dpi));
    EndPaint(window, &paint);
}

void Win32FrontEnd::describeBoard(const std::string& words)
{
    boardWords_ = wide(words);
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, window_, OBJID_CLIENT, CHILDID_SELF);
}

void Win32FrontEnd::showSurface(const Rect& changed)
{
    if (!window_ || !IsWindowVisible(window_))
        return;
    // A pixel more each way: a filtered pixel shows its neighbours too.
    RECT area = scaled(changed, GetDpiForWindow(window_));
    InflateRect(&area, 1, 1);
    InvalidateRect(window_, &area, FALSE);
    UpdateWindow(window_);
}

void Win32FrontEnd::showSprite(const Picture& image, std::int32_t x, std::int32_t y)
{
    spriteImage_ = image;
    spriteAt_ = POINT{x, y};
    const UINT dpi = GetDpiForWindow(window_);
    SetWindowPos(sprite_, nullptr, scaled(x, dpi), scaled(y, dpi), scaled(image.width, dpi), scaled(image.height, dpi),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(sprite_, SW_SHOWNA);
    InvalidateRect(sprite_, nullptr, FALSE);
    UpdateWindow(sprite_);
}

void Win32FrontEnd::placeChildren()
{
    const UINT dpi = GetDpiForWindow(window_);
    const RECT panel = scaled(mainWindow().panel.rect, dpi);
    SetWindowPos(panelArea_, nullptr, panel.left, panel.top, panel.right - panel.left, panel.bottom - panel.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    setReadout(readoutText_);
    placeReadout(readoutAt_.x, readoutAt_.y);
    if (IsWindowVisible(sprite_))
        showSprite(Picture(spriteImage_), spriteAt_.x, spriteAt_.y);
}

void Win32FrontEnd::setCommandEnabled(Command command, bool enabled)
{
    EnableMenuItem(menu_, static_cast<UINT>(commandId(command)), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void Win32FrontEnd::setPanelVisible(bool visible)
{
    ShowWindow(panelArea_, visible ? SW_SHOWNA : SW_HIDE);
    // Hidden, none of them keeps the keyboard: the window takes it back.
    if (!visible && IsChild(window_, GetFocus()))
        SetFocus(window_);
}

std::string Win32FrontEnd::optionText(OptionBox box) const
{
    HWND control = textBox(box);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return narrow(text);
}

void Win32FrontEnd::setOptionText(OptionBox box, const std::string& text)
{
    SetWindowTextW(textBox(box), wide(text).c_str());
}

void Win32FrontEnd::selectOptionText(OptionBox box)
{
    SetFocus(textBox(box));
    SendMessageW(textBox(box), EM_SETSEL, 0, -1);
}

// The plain count, the label sized to it from its left edge.
void Win32FrontEnd::setReadout(const std::string& text)
{
    readoutText_ = text;
    const std::wstring caption = wide(text);
    SetWindowTextW(readOut_, caption.c_str());
    HDC dc = GetDC(readOut_);
    HGDIOBJ old = SelectObject(dc, controls_.font(mainWindow().readout.points, GetDpiForWindow(readOut_)));
    SIZE size{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(readOut_, dc);
    SetWindowPos(readOut_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
}

void Win32FrontEnd::placeReadout(std::int32_t left, std::int32_t top)
{
    readoutAt_ = POINT{left, top};
    const UINT dpi = GetDpiForWindow(readOut_);
    SetWindowPos(readOut_, nullptr, scaled(left, dpi), scaled(top, dpi), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void Win32FrontEnd::setClockRunning(bool running)
{
    if (running)
        SetTimer(messages_, ClockTimer, Game::TickInterval, nullptr);  // again from now
    else
        KillTimer(messages_, ClockTimer);
}

void Win32FrontEnd::showMessage(const std::string& prompt, const std::string& title, MessageIcon icon)
{
    boxes_.emplace_back(prompt, title, MB_OK | (icon == MessageIcon::Error ? MB_ICONERROR : 0));
    PostMessageW(messages_, ShowBoxMessage, 0, 0);
}

// Shows the box asked for first from an event of its own: the game is not
// on the stack while it is open, and ticks run as ever. It stands over the
// program's window in front (the About, for its own message; a box under
// it) and is modal to every window of the program: the others are disabled
// while it is open. A box asked for meanwhile opens over it and is closed first.
void Win32FrontEnd::showNextBox()
{
    if (boxes_.empty())
        return;
    const auto [prompt, title, style] = std::move(boxes_.front());
    boxes_.pop_front();
    HWND active = GetActiveWindow();
    HWND owner = active ? active : window_ ? window_ : about_;
    std::vector<HWND> disabled;
    for (HWND other : {window_, about_})
        if (other && other != owner && IsWindowEnabled(other)) {
            EnableWindow(other, FALSE);
            disabled.push_back(other);
        }
    MessageBoxW(owner, wide(prompt).c_str(), wide(title).c_str(), style);
    for (HWND other : disabled)
        if (IsWindow(other))
            EnableWindow(other, TRUE);
    game_.messageClosed();
}

// A cue the game waits for is asked after every few milliseconds.
void Win32FrontEnd::playCue(Cue cue)
{
    PlaySoundCue(*player_, programFolder(), cue);
    if (cueHolds(cue))
        SetTimer(messages_, CueTimer, static_cast<UINT>(HeldCueWatch.count()), nullptr);
}

void Win32FrontEnd::quit(int status)
{
    exitStatus_ = status;
    PostQuitMessage(status);
}

} // namespace velmora
