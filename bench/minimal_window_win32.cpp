// The floor for a Windows program built like the game (mingw-w64, static):
// one window of the game's size with a menu bar and a line of text on the
// game's background. bench_desktop --windows starts it next to the game
// under Wine to compare start-up and memory.

#include <windows.h>

namespace {

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    const WNDCLASSEXW type{sizeof type, 0, windowProc, 0, 0, instance, nullptr,
                           LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)),
                           CreateSolidBrush(RGB(192, 192, 0)), nullptr, L"Minimal", nullptr};
    RegisterClassExW(&type);
    HMENU menu = CreateMenu();
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), L"Joc");
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), L"Ajutor");
    RECT frame{0, 0, 1002, 628};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, TRUE, 0);
    HWND window = CreateWindowExW(0, L"Minimal", L"Minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr, menu, instance, nullptr);
    CreateWindowExW(0, L"STATIC", L"60", WS_CHILD | WS_VISIBLE, 471, 490, 40, 20, window, nullptr, instance, nullptr);
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
