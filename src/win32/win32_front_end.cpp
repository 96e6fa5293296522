// The Win32 front end's answers to the game: controls, the board and the
// sprite, message boxes, the clock and the sounds.

#include "win32/win32_front_end.h"

#include "game/game.h"
#include "sound/cue_table.h"
#include "win32/window_helpers.h"

#include <algorithm>
#include <cmath>

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
    FillRect(dc, &beyondRight, boardBrush_);
    FillRect(dc, &beyondBottom, boardBrush_);
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
    EnableMenuItem(menu_, command == Command::Start ? 101 : 102, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
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
    HGDIOBJ old = SelectObject(dc, largeFont_);
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

void Win32FrontEnd::setSpritePicture(SpritePicture picture)
{
    spritePicture_ = picture;
    placeSprite();
}

void Win32FrontEnd::showSprite(float left, float top)
{
    spriteLeft_ = left;
    spriteTop_ = top;
    placeSprite();
    ShowWindow(sprite_, SW_SHOWNA);
}

void Win32FrontEnd::moveSprite(float left)
{
    spriteLeft_ = left;
    placeSprite();
}

void Win32FrontEnd::refreshSprite()
{
    if (IsWindowVisible(sprite_)) {
        InvalidateRect(sprite_, nullptr, FALSE);
        UpdateWindow(sprite_);
    }
}

// The sprite stands at the nearest pixel (halves to even) and takes the size
// of its picture with a 2-pixel border; without a picture it keeps its size.
void Win32FrontEnd::placeSprite()
{
    const BoardPictures& pictures = game_.pictures();
    const Picture* picture = spritePicture_ == SpritePicture::Disk       ? &pictures.diskInHand
                             : spritePicture_ == SpritePicture::Selector ? &pictures.cursor
                                                                         : nullptr;
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    int width = 0;
    int height = 0;
    if (picture) {
        width = picture->width + 2 * BoardPictures::BorderWidth;
        height = picture->height + 2 * BoardPictures::BorderWidth;
    } else {
        flags |= SWP_NOSIZE;
    }
    SetWindowPos(sprite_, nullptr, static_cast<int>(std::nearbyint(spriteLeft_)),
                 static_cast<int>(std::nearbyint(spriteTop_)), width, height, flags);
    InvalidateRect(sprite_, nullptr, FALSE);
}

LRESULT CALLBACK Win32FrontEnd::spriteProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = windowOwner<Win32FrontEnd>(window, message, lParam);
    if (self && message == WM_PAINT) {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        self->paintSprite(window, dc);
        EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_ERASEBKGND)
        return 1;
    return DefWindowProcW(window, message, wParam, lParam);
}

// The sunken edge, shadow above and left and light below and right, twice,
// around the picture: the same pixels as the Linux build's.
void Win32FrontEnd::paintSprite(HWND window, HDC dc)
{
    RECT box{};
    GetClientRect(window, &box);
    HBRUSH face = CreateSolidBrush(RGB(128, 128, 128));
    FillRect(dc, &box, face);
    DeleteObject(face);
    auto fill = [dc](LONG left, LONG top, LONG width, LONG height, COLORREF colour) {
        HBRUSH brush = CreateSolidBrush(colour);
        RECT area{left, top, left + width, top + height};
        FillRect(dc, &area, brush);
        DeleteObject(brush);
    };
    auto edge = [&fill](RECT area, COLORREF topLeft, COLORREF bottomRight) {
        const LONG width = area.right - area.left;
        const LONG height = area.bottom - area.top;
        fill(area.left, area.top, width, 1, topLeft);
        fill(area.left, area.top, 1, height, topLeft);
        fill(area.left, area.bottom - 1, width, 1, bottomRight);
        fill(area.right - 1, area.top, 1, height, bottomRight);
    };
    edge(box, RGB(128, 128, 128), RGB(255, 255, 255));
    edge(RECT{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}, RGB(64, 64, 64), RGB(223, 223, 223));

    const BoardPictures& pictures = game_.pictures();
    const Picture* picture = spritePicture_ == SpritePicture::Disk       ? &pictures.diskInHand
                             : spritePicture_ == SpritePicture::Selector ? &pictures.cursor
                                                                         : nullptr;
    if (!picture || picture->empty())
        return;
    const BITMAPINFO info = describePixels(picture->width, picture->height);
    const int width = std::min<int>(picture->width, box.right - 4);
    const int height = std::min<int>(picture->height, box.bottom - 4);
    StretchDIBits(dc, 2, 2, width, height, 0, 0, width, height, picture->pixels.data(), &info, DIB_RGB_COLORS,
                  SRCCOPY);
}

} // namespace velmora
