#pragma once

#include <windows.h>

#include <cmath>

namespace velmora {

// The object a window was created for (the creation parameter), kept with
// the window from its first message on; null before that.
template <typename Owner>
Owner* windowOwner(HWND window, UINT message, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    return reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The program's controls ask for "MS Sans Serif" at the given size in points.
inline HFONT controlFont(double points)
{
    HDC screen = GetDC(nullptr);
    const int height = -static_cast<int>(std::lround(points * GetDeviceCaps(screen, LOGPIXELSY) / 72.0));
    ReleaseDC(nullptr, screen);
    return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, L"MS Sans Serif");
}

// Registers a window class of the program's; a class already there (from an
// earlier opening) is fine.
inline void registerWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, HICON icon = nullptr,
                                HBRUSH background = nullptr)
{
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = procedure;
    type.hInstance = instance;
    type.hIcon = icon;
    type.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    type.hbrBackground = background;
    type.lpszClassName = name;
    RegisterClassExW(&type);
}

} // namespace velmora
