#pragma once

#include "board/cue.h"
#include "render/render_target.h"
#include "render/surface.h"

#include <cstdint>
#include <string>

namespace velmora {

// The two menu items whose state changes with the phase of the game.
enum class MenuItem {
    Start,    // "StartJoc"
    Options,  // "Optiuni"
};

// The options panel's two text boxes, the only store of the values being
// edited until Ok applies them.
enum class OptionBox {
    TimeLimit,
    DiskCount,
};

// What the game asks of the window it is played in, in the game's words. A
// front end (Qt, Win32) implements it with its toolkit and turns the toolkit's
// events into calls on the Game: keys, clock ticks, menu choices, clicks.
// Every call does its work before returning; none calls back into the game,
// except showMessage, inside which clock ticks may arrive and run.
class FrontEnd {
public:
    virtual ~FrontEnd() = default;

    virtual void setMenuEnabled(MenuItem item, bool enabled) = 0;

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

    // The floating cursor sprite. Positions are reals: a left edge of 115.5
    // stays 115.5 for the game, and the sprite stands at the nearest pixel.
    virtual void setSpritePicture(SpritePicture picture) = 0;
    virtual void showSprite(float left, float top) = 0;  // and makes it visible
    virtual void moveSprite(float left) = 0;
    // Repaints the sprite now, if it is visible.
    virtual void refreshSprite() = 0;

    // Puts the part of the drawing surface that changed on the screen now.
    virtual void showSurface(const Rect& changed) = 0;

    // A modal message box with the prompt, the title, one OK button and no
    // icon; returns once it is closed. The clock keeps ticking meanwhile.
    virtual void showMessage(const std::string& prompt, const std::string& title) = 0;
    // The report of a failed check, shown before the program ends.
    virtual void showFailure(const std::string& report) = 0;

    // On: the one-second clock (re)starts from now, so the first tick comes a
    // whole second later. Off: no further tick is delivered.
    virtual void setClockRunning(bool running) = 0;

    virtual void playCue(Cue cue) = 0;

    // Shows the About dialog, loading it if it is not open; never a second one.
    virtual void showAbout() = 0;

    // Ends the program with the status, once the current event is handled.
    virtual void quit(int status) = 0;
};

} // namespace velmora
