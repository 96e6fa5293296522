#pragma once

#include "win32/controls.h"

#include <windows.h>

#include <functional>
#include <memory>

namespace velmora {

// The About dialog as the game describes it: its first button closes it (so
// do Enter and Esc), its second asks for the system-information tool.
// Modeless and without an owner; closing it destroys it, and onClosed runs as
// its very last step (the owner may then delete it).
class AboutWindow {
public:
    // systemInfo runs when the second button is pressed.
    AboutWindow(HINSTANCE instance, std::function<void()> systemInfo, std::function<void()> onClosed);
    ~AboutWindow();
    AboutWindow(const AboutWindow&) = delete;
    AboutWindow& operator=(const AboutWindow&) = delete;

    void show();
    // Gives the dialog its keys (Tab, Enter, Esc); true when it took the message.
    bool handles(MSG& message);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void create();

    HINSTANCE instance_;
    std::function<void()> systemInfo_;
    std::function<void()> onClosed_;
    HWND window_ = nullptr;
    Controls controls_;
};

} // namespace velmora
