#pragma once

#include "game/front_end.h"
#include "sound/sound_player.h"
#include "win32/controls.h"

#include <windows.h>

#include <deque>
#include <map>
#include <memory>
#include <string>

namespace velmora {

class AboutWindow;
class Game;

// The Win32 front end: the main window as the game describes it, with its
// menus and accelerators, the options panel as a captioned group box with its
// labels, edit boxes and buttons, the read-out, the cursor sprite, and the
// board drawn from the game's surface. Menu choices, clicks, keys and the
// clock's ticks become calls on the Game; the game's requests become the
// controls' changes, message boxes and sounds.
//
// Keys: the message loop hands every key going down in the main window or
// any of its controls to the game first (keyDown), before the accelerators and
// the control; none is consumed. Ticks: a one-second SetTimer. Message boxes
// are opened from a message posted to the window, after the game's call has
// returned; their own loop goes on dispatching ticks.
class Win32FrontEnd : public FrontEnd {
public:
    Win32FrontEnd(HINSTANCE instance, Game& game);
    ~Win32FrontEnd() override;
    Win32FrontEnd(const Win32FrontEnd&) = delete;
    Win32FrontEnd& operator=(const Win32FrontEnd&) = delete;

    // Creates the window and its controls; false if Windows refused.
    bool create();
    void show(int how);
    // Runs the message loop until the program ends; its exit status.
    int run();

    void setCommandEnabled(Command command, bool enabled) override;
    void setPanelVisible(bool visible) override;
    std::string optionText(OptionBox box) const override;
    void setOptionText(OptionBox box, const std::string& text) override;
    void selectOptionText(OptionBox box) override;
    void setReadout(const std::string& text) override;
    void placeReadout(std::int32_t left, std::int32_t top) override;
    void showSprite(const Picture& image, std::int32_t x, std::int32_t y) override;
    void showSurface(const Rect& changed) override;
    // Windows screen readers are not told the board in words: the window
    // offers them no object of its own to read it from.
    void describeBoard(const std::string&) override {}
    void showMessage(const std::string& prompt, const std::string& title, MessageIcon icon) override;
    void setClockRunning(bool running) override;
    void playCue(Cue cue) override;
    void showAbout() override;
    Registry& registry() override;
    SysInfoPlatform& system() override;
    void quit(int status) override;

private:
    static LRESULT CALLBACK mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK spriteProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK panelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void createControls();
    void command(int id);
    void paintBoard(HDC dc, const RECT& area);
    void aboutClosed();
    void showNextBox();
    HWND textBox(OptionBox box) const { return optionBoxes_.at(box); }

    HINSTANCE instance_;
    Game& game_;
    std::unique_ptr<SoundPlayer> player_;
    std::unique_ptr<AboutWindow> about_;
    std::unique_ptr<Registry> registry_;
    std::unique_ptr<SysInfoPlatform> system_;
    HWND window_ = nullptr;
    HMENU menu_ = nullptr;
    HACCEL accelerators_ = nullptr;
    HWND panelArea_ = nullptr;
    HWND readOut_ = nullptr;
    HWND sprite_ = nullptr;
    std::map<OptionBox, HWND> optionBoxes_;
    Controls controls_;
    Picture spriteImage_;
    int exitStatus_ = 0;
    // The message boxes asked for and not opened yet.
    struct Box {
        std::string prompt;
        std::string title;
        UINT style;
    };
    std::deque<Box> boxes_;
};

// The text of a UTF-8 string for the wide Windows calls, and back.
std::wstring wide(const std::string& text);
std::string narrow(const std::wstring& text);

// The folder of the running program, where the waves lie.
std::string programFolder();

} // namespace velmora
