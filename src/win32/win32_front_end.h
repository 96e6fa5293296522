#pragma once

#include "game/front_end.h"
#include "sound/sound_player.h"
#include "win32/controls.h"

#include <windows.h>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <tuple>

namespace velmora {

class Game;

// The Win32 front end: the main window with its menus and accelerators, the
// options panel (a window of its own holding the frame and its controls),
// the read-out, the cursor sprite and the About, each built from the game's
// description and all served by one window procedure. Menu choices, clicks,
// keys, ticks and the window's close become calls on the Game; its requests
// become the controls' changes, message boxes and sounds.
//
// Keys: the message loop hands every key going down in the main window or
// any of its controls to the game first, before the accelerators and the
// control; none is consumed. Message boxes are opened from a posted message,
// after the game's call has returned; their own loop dispatches ticks.
class Win32FrontEnd : public FrontEnd {
public:
    Win32FrontEnd(HINSTANCE instance, Game& game);
    ~Win32FrontEnd() override;
    Win32FrontEnd(const Win32FrontEnd&) = delete;
    Win32FrontEnd& operator=(const Win32FrontEnd&) = delete;

    // Creates the main window and its controls; false if Windows refused.
    bool create();
    // Shows the main window as asked and runs the message loop until the
    // program ends; its exit status.
    int run(int how);

    void setCommandEnabled(Command command, bool enabled) override;
    void setPanelVisible(bool visible) override;
    std::string optionText(OptionBox box) const override;
    void setOptionText(OptionBox box, const std::string& text) override;
    void selectOptionText(OptionBox box) override;
    void setReadout(const std::string& text) override;
    void placeReadout(std::int32_t left, std::int32_t top) override;
    void showSprite(const Picture& image, std::int32_t x, std::int32_t y) override;
    void showSurface(const Rect& changed) override;
    // The board in words is the value of the main window's client area, and a
    // listening screen reader is told when it changed.
    void describeBoard(const std::string& words) override;
    void showMessage(const std::string& prompt, const std::string& title, MessageIcon icon) override;
    void setClockRunning(bool running) override;
    void playCue(Cue cue) override;
    void openAbout() override;
    void focusAbout() override;
    void closeAbout() override;
    Registry& registry() override { return *registry_; }
    SysInfoPlatform& system() override { return *system_; }
    void quit(int status) override;

private:
    static constexpr UINT_PTR ClockTimer = 1;
    static constexpr UINT_PTR CueTimer = 2;  // asks after a held cue
    static constexpr UINT ShowBoxMessage = WM_APP + 1;
    static constexpr UINT ScreenReaderMessage = WM_APP + 2;

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND makeWindow(const std::string& title, DWORD style, DWORD extended, POINT at, SIZE client, HWND parent,
                    UINT dpi, HMENU menu = nullptr);
    void createMenus();
    void createControls();
    void paint(HWND window);
    // The panel, the read-out and the sprite where the game last put them,
    // at the main window's density.
    void placeChildren();
    void showNextBox();
    HWND textBox(OptionBox box) const { return optionBoxes_.at(box); }

    HINSTANCE instance_;
    Game& game_;
    std::unique_ptr<SoundPlayer> player_;
    std::unique_ptr<Registry> registry_;
    std::unique_ptr<SysInfoPlatform> system_;
    Controls controls_;
    HWND window_ = nullptr;
    HMENU menu_ = nullptr;
    HACCEL accelerators_ = nullptr;
    HWND panelArea_ = nullptr;
    HWND readOut_ = nullptr;
    HWND sprite_ = nullptr;
    HWND about_ = nullptr;
    bool aboutClosing_ = false;  // closed by the game: its WM_CLOSE is on its way
    // Never shown, and lives as long as the front end: the clock's and the
    // cue's timers and the posted requests for boxes go to it, so none is
    // lost once the main window has closed under the About.
    HWND messages_ = nullptr;
    std::map<OptionBox, HWND> optionBoxes_;
    Picture spriteImage_;
    POINT spriteAt_{};
    std::string readoutText_;
    POINT readoutAt_{};
    std::wstring boardWords_;  // what a screen reader reads of the board
    bool screenReader_ = false;
    int exitStatus_ = 0;
    // The message boxes asked for and not opened yet: prompt, title, style.
    std::deque<std::tuple<std::string, std::string, UINT>> boxes_;
};

} // namespace velmora
