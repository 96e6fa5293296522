#pragma once

#include "board/cue.h"
#include "render/render_target.h"
#include "render/surface.h"

#include <cstdint>
#include <string>

namespace velmora {

class Registry;
class SysInfoPlatform;

// What the player asks of the game through the window: a menu item, its
// shortcut key or a button. Each reaches the game as Game::command().
enum class Command {
    Start,      // "StartJoc", F2
    Options,    // "Optiuni", Ctrl+O
    Exit,       // "Exit", F4
    About,      // "Despre", F1
    TimeUp,     // the options panel's buttons
    TimeDown,
    LevelUp,
    LevelDown,
    Apply,      // "Ok"
    SystemInfo, // the About dialog's "System Info..."
    CloseAbout, // the About dialog's "OK"
};

// The options panel's two text boxes, the only store of the values being
// edited until Ok applies them.
enum class OptionBox {
    TimeLimit,
    DiskCount,
};

enum class MessageIcon {
    None,
    Error,
};

// What the game asks of the window it is played in, in the game's words. A
// front end (Qt, Win32, the page) implements it with its toolkit and turns the toolkit's
// events into calls on the Game: keys, clock ticks, commands, clicks. Every
// call does its work and returns at once; none calls back into the game.
// What the game waits for (a message box to be closed, the time-up ring to
// end) the front end reports later, as Game::messageClosed and
// Game::cueEnded, from an event of its own. The About's OK, Esc and its
// frame's close box all come as Command::CloseAbout: it closes when the game
// says so. The program ends when the game says so (quit), also when the
// player closed its last window.
class FrontEnd {
public:
    virtual ~FrontEnd() = default;

    // Greys or enables the menu item of a command, and its shortcut key.
    virtual void setCommandEnabled(Command command, bool enabled) = 0;

    // Shows or hides the options panel with all its controls. Hidden, none of
    // them keeps the keyboard.
    virtual void setPanelVisible(bool visible) = 0;
    virtual std::string optionText(OptionBox box) const = 0;
    virtual void setOptionText(OptionBox box, const std::string& text) = 0;
    // Gives the box the keyboard with its whole text selected, ready to be
    // typed over.
    virtual void selectOptionText(OptionBox box) = 0;

    // The read-out of the elapsed seconds: its text, sized to the text from
    // its left edge, and where that left edge and top stand.
    virtual void setReadout(const std::string& text) = 0;
    virtual void placeReadout(std::int32_t left, std::int32_t top) = 0;

    // The floating cursor sprite as the game drew it, border included, with
    // its top left corner at (x, y) of the client area: shown now, over the
    // board, the panel and the read-out.
    virtual void showSprite(const Picture& image, std::int32_t x, std::int32_t y) = 0;

    // The board in words, for a screen reader (only while one listens).
    virtual void describeBoard(const std::string& words) = 0;

    // Puts the part of the drawing surface that changed on the screen now.
    virtual void showSurface(const Rect& changed) = 0;

    // A message box with the prompt, the title, one OK button and the icon
    // (the game's own boxes have none; the report of a failed check has the
    // error icon), modal to every window of the program. Returns at once;
    // once the player has closed it, the front end calls Game::messageClosed().
    // A box opened while another is open stands over it and is closed first.
    virtual void showMessage(const std::string& prompt, const std::string& title, MessageIcon icon) = 0;

    // On: the one-second clock (re)starts from now, so the first tick comes a
    // whole second later. Off: no further tick is delivered.
    virtual void setClockRunning(bool running) = 0;

    // Starts the cue and returns at once. For a cue the game waits for
    // (cueHolds) the front end calls Game::cueEnded() once it has sounded to
    // its end or its bound has passed, also when it could not sound at all.
    virtual void playCue(Cue cue) = 0;

    // Loads the About dialog, shows it and gives it the keyboard. The game
    // asks for it only while none is open.
    virtual void openAbout() = 0;
    // Brings the open About forward with the keyboard.
    virtual void focusAbout() = 0;
    // Unloads the open About.
    virtual void closeAbout() = 0;
    // Where System Info looks the tool up, and the system that starts it.
    virtual Registry& registry() = 0;
    virtual SysInfoPlatform& system() = 0;

    // Ends the program with the status, once the current event is handled.
    virtual void quit(int status) = 0;
};

} // namespace velmora
