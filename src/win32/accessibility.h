#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace velmora {

// What a Windows screen reader reads of the game's windows, through Microsoft
// Active Accessibility: the system's own object for a window's client area,
// under the name the game gives it, and for the board the board in words as
// its value. Nothing of it is loaded before a screen reader first asks
// (WM_GETOBJECT); then oleacc.dll and oleaut32.dll are.

// The answer to WM_GETOBJECT for a window's client area: the system's object,
// with this name and, where `value` is given, the value it returns. 0 for any
// other object asked for, or where the system's libraries cannot be had.
LRESULT answerGetObject(HWND window, WPARAM wParam, LPARAM lParam, const std::wstring& name,
                        std::function<std::wstring()> value = nullptr);

// Gives a control the name a screen reader says in place of its text; the
// text becomes its value where asked (a label whose text is a number).
void nameForScreenReaders(HWND control, const std::wstring& name, bool textIsValue = false);

} // namespace velmora
