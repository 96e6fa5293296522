// The Win32 front end's answers to the game: controls, the board and the
// sprite, message boxes, the clock and the sounds.

#include "win32/win32_front_end.h"

#include "game/game.h"
#include "game/window_description.h"
#include "sound/cue_table.h"
#include "win32/window_helpers.h"

#include <algorithm>

namespace velmora {

namespace {

constexpr int ClockTimer = 1;

// A top-down 32-bit bitmap header for pixels laid out as the surface's.
BITMAPINFO describePixels(std::int32_t width, std::int32_t height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

} // namespace

std::wstring wide(const std::string& text)
{
    if (text.empty())
        return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), length);
    return result;
}

std::string narrow(const std::wstring& text)
{
    if (text.empty())
        return {};
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), length, nullptr,
                        nullptr);
    return result;
}

std::string programFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) == path.size())
        path.resize(path.size() * 2);
    path.resize(length);
    return narrow(path.substr(0, path.find_last_of(L"\\/")));
}

void Win32FrontEnd::paintBoard(HDC dc, const RECT& area)
{
    const Surface& surface = game_.surface();
    const BITMAPINFO info = describePixels(surface.width(), surface.height());
    const LONG right = std::min<LONG>(area.right, surface.width());
    const LONG bottom = std::min<LONG>(area.bottom, surface.height());
    if (right > area.left && bottom > area.top) {
        // The whole surface, clipped by the paint's own area: a source
        // rectangle of a top-down image is read from the bottom by some GDIs.
        StretchDIBits(dc, 0, 0, surface.width(), surface.height(), 0, 0, surface.width(), surface.height(),
                      surface.pixels(), &info, DIB_RGB_COLORS, SRCCOPY);
    }
    RECT beyondRight{right, area.top, area.right, area.bottom};
    RECT beyondBottom{area.left, bottom, right, area.bottom};
    HBRUSH board = controls_.brush(mainWindow().background);
    FillRect(dc, &beyondRight, board);
    FillRect(dc, &beyondBottom, board);
}

void Win32FrontEnd::showSurface(const Rect& changed)
{
    if (!window_ || !IsWindowVisible(window_))
        return;
    const RECT area{changed.left, changed.top, changed.right(), changed.bottom()};
    InvalidateRect(window_, &area, FALSE);
    UpdateWindow(window_);
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
    const std::wstring caption = wide(text);
    SetWindowTextW(readOut_, caption.c_str());
    HDC dc = GetDC(readOut_);
    HGDIOBJ old = SelectObject(dc, controls_.font(mainWindow().readout.points));
    SIZE size{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(readOut_, dc);
    SetWindowPos(readOut_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
}

void Win32FrontEnd::placeReadout(std::int32_t left, std::int32_t top)
{
    SetWindowPos(readOut_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void Win32FrontEnd::setClockRunning(bool running)
{
    if (running)
        SetTimer(window_, ClockTimer, 1000, nullptr);  // again from now
    else
        KillTimer(window_, ClockTimer);
}

// The sprite -----------------------------------------------------------------

void Win32FrontEnd::showSprite(const Picture& image, std::int32_t x, std::int32_t y)
{
    spriteImage_ = image;
    SetWindowPos(sprite_, nullptr, x, y, image.width, image.height, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(sprite_, SW_SHOWNA);
    InvalidateRect(sprite_, nullptr, FALSE);
    UpdateWindow(sprite_);
}

LRESULT CALLBACK Win32FrontEnd::spriteProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = windowOwner<Win32FrontEnd>(window, message, lParam);
    if (self && message == WM_PAINT) {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        const Picture& image = self->spriteImage_;
        const BITMAPINFO info = describePixels(image.width, image.height);
        StretchDIBits(dc, 0, 0, image.width, image.height, 0, 0, image.width, image.height, image.pixels.data(), &info,
                      DIB_RGB_COLORS, SRCCOPY);
        EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_ERASEBKGND)
        return 1;
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace velmora
