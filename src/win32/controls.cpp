#include "win32/controls.h"

#include "win32/accessibility.h"

#include "render/bevel.h"

#include <cmath>

namespace velmora {

void paintPixels(HDC dc, const Pixel* pixels, std::int32_t width, std::int32_t height, int toWidth, int toHeight)
{
    const BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    const bool whole = width > 0 && toWidth % width == 0 && height > 0 && toHeight % height == 0;
    SetStretchBltMode(dc, whole ? COLORONCOLOR : HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchDIBits(dc, 0, 0, toWidth, toHeight, 0, 0, width, height, pixels, &info, DIB_RGB_COLORS, SRCCOPY);
}

std::wstring wide(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), length);
    return result;
}

std::string narrow(const std::wstring& text)
{
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), length, nullptr,
                        nullptr);
    return result;
}

Controls::~Controls()
{
    for (const auto& [points, font] : fonts_)
        DeleteObject(font);
    for (const auto& [colour, brush] : brushes_)
        DeleteObject(brush);
}

HFONT Controls::font(float points, UINT dpi)
{
    HFONT& font = fonts_[{points, dpi}];
    if (!font) {
        const int height = -static_cast<int>(std::lround(points * static_cast<double>(dpi) / 72.0));
        font = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, wide(ControlFace).c_str());
    }
    return font;
}

HBRUSH Controls::brush(Pixel colour)
{
    HBRUSH& brush = brushes_[colour];
    if (!brush)
        brush = CreateSolidBrush(colourRef(colour));
    return brush;
}

HWND Controls::make(HWND parent, const ControlDescription& control)
{
    const wchar_t* kind = L"STATIC";
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | (control.takesFocus ? WS_TABSTOP : 0);
    switch (control.kind) {
    case ControlKind::Frame:
        kind = L"BUTTON";
        style |= BS_GROUPBOX;
        break;
    case ControlKind::Button:
        // With a face of its own, the graphical style, drawn here.
        kind = L"BUTTON";
        style |= control.face ? BS_OWNERDRAW : control.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        break;
    case ControlKind::TextBox:
        kind = L"EDIT";
        style |= WS_BORDER | ES_AUTOHSCROLL;
        break;
    case ControlKind::Label:
        // Centred text always breaks into lines where it must.
        style |= control.align == TextAlign::Centre ? SS_CENTER : control.wraps ? SS_LEFT : SS_LEFTNOWORDWRAP;
        break;
    case ControlKind::Picture:
        style |= SS_ICON | SS_SUNKEN;
        break;
    case ControlKind::Line:
        break;
    }
    // Enter presses the default button, as IDOK; Esc comes as IDCANCEL.
    const int id = control.isDefault ? IDOK : control.command ? commandId(*control.command) : 0;
    const UINT dpi = GetDpiForWindow(parent);
    const RECT at = scaled(control.rect, dpi);
    HWND made = CreateWindowExW(0, kind, wide(control.caption).c_str(), style, at.left, at.top, at.right - at.left,
                                at.bottom - at.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                instance_, nullptr);
    if (control.points > 0)
        SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font(control.points, dpi)), FALSE);
    // A screen reader says the name the game gives ("Time Up", not "Up"); a
    // control without one is named by its text.
    if (*control.accessibleName)
        nameForScreenReaders(made, wide(control.accessibleName), control.kind == ControlKind::Label);
    made_[made] = control;
    return made;
}

void Controls::rescale(HWND window)
{
    const UINT dpi = GetDpiForWindow(window);
    for (const auto& [made, control] : made_) {
        if (GetAncestor(made, GA_ROOT) != window)
            continue;
        const RECT at = scaled(control.rect, dpi);
        SetWindowPos(made, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (control.points > 0)
            SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font(control.points, dpi)), TRUE);
    }
}

// The face is drawn at the described size and stretched to the density, as
// the board is.
void Controls::drawButton(const DRAWITEMSTRUCT& item)
{
    const ControlDescription& control = made_.at(item.hwndItem);
    const UINT dpi = GetDpiForWindow(item.hwndItem);
    const bool pressed = item.itemState & ODS_SELECTED;
    const int width = item.rcItem.right - item.rcItem.left;
    const int height = item.rcItem.bottom - item.rcItem.top;
    const Picture face = buttonFace(MulDiv(width, 96, static_cast<int>(dpi)), MulDiv(height, 96, static_cast<int>(dpi)),
                                    *control.face, pressed, item.itemState & ODS_FOCUS);
    paintPixels(item.hDC, face.pixels.data(), face.width, face.height, width, height);
    RECT caption = item.rcItem;
    OffsetRect(&caption, pressed ? scaled(1, dpi) : 0, pressed ? scaled(1, dpi) : 0);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, control.text ? colourRef(*control.text) : GetSysColor(COLOR_BTNTEXT));
    HGDIOBJ old = SelectObject(item.hDC, font(control.points, dpi));
    DrawTextW(item.hDC, wide(control.caption).c_str(), -1, &caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(item.hDC, old);
}

void Controls::forgetChildren(HWND parent)
{
    std::erase_if(made_, [parent](const auto& made) { return GetParent(made.first) == parent; });
}

HBRUSH Controls::colours(HWND control, HDC dc, Pixel around)
{
    Pixel face = around;
    if (const auto found = made_.find(control); found != made_.end()) {
        if (found->second.text)
            SetTextColor(dc, colourRef(*found->second.text));
        face = found->second.face.value_or(around);
    }
    SetBkColor(dc, colourRef(face));
    return brush(face);
}

} // namespace velmora
