#pragma once

#include "game/window_description.h"

#include <windows.h>

#include <map>
#include <string>

namespace velmora {

// The Win32 side of the game's window descriptions: each control made as
// described, and the fonts and brushes its looks need, made once and let go
// with this object. Sizes and fonts are described for a screen of 96 dots
// per inch; each control is made at its window's density, and made again
// at a new one when its window moves to another screen.
class Controls {
public:
    explicit Controls(HINSTANCE instance) : instance_(instance) {}
    ~Controls();
    Controls(const Controls&) = delete;
    Controls& operator=(const Controls&) = delete;

    // A child of parent with its command's id (a button; the default button
    // IDOK). Windows puts it under the ones made before it, and Tab follows
    // that order.
    HWND make(HWND parent, const ControlDescription& control);
    // Places every control of the top-level window, with its font, at the
    // window's present density.
    void rescale(HWND window);
    // Draws a button in the graphical style (one with a face of its own).
    void drawButton(const DRAWITEMSTRUCT& item);
    // Forgets the controls of a window that is going away.
    void forgetChildren(HWND parent);
    // The answer to WM_CTLCOLORSTATIC: the control's text colour, if it has
    // one, and its face, or the face around it.
    HBRUSH colours(HWND control, HDC dc, Pixel around);
    HFONT font(float points, UINT dpi);
    HBRUSH brush(Pixel colour);

private:
    HINSTANCE instance_;
    std::map<std::pair<float, UINT>, HFONT> fonts_;
    std::map<Pixel, HBRUSH> brushes_;
    std::map<HWND, ControlDescription> made_;
};

// A command's id in menus, accelerators and buttons.
inline int commandId(Command command)
{
    return 100 + static_cast<int>(command);
}

// A length described at 96 dots per inch, at the density.
inline int scaled(std::int32_t length, UINT dpi)
{
    return MulDiv(length, static_cast<int>(dpi), 96);
}

inline RECT scaled(const Rect& rect, UINT dpi)
{
    return RECT{scaled(rect.left, dpi), scaled(rect.top, dpi), scaled(rect.right(), dpi), scaled(rect.bottom(), dpi)};
}

inline COLORREF colourRef(Pixel pixel)
{
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

// Paints pixels laid out as the surface's (rows top down) at the top left,
// stretched to the size: each pixel a square of them at a whole factor,
// filtered at a fractional one.
void paintPixels(HDC dc, const Pixel* pixels, std::int32_t width, std::int32_t height, int toWidth, int toHeight);

// The text of a UTF-8 string for the wide Windows calls, and back.
std::wstring wide(const std::string& text);
std::string narrow(const std::wstring& text);

} // namespace velmora
