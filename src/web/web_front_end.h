#pragma once

#include "game/front_end.h"
#include "game/registry.h"
#include "game/sys_info.h"

#include <cstdint>
#include <vector>

namespace velmora {

class Game;

// The browser front end: the page builds the main window and the About as
// the game describes them (a canvas for the board, DOM elements for the
// menus, the panel, the read-out and the boxes), plays the cues through Web
// Audio and runs the one-second clock. Every call goes to the page's script
// and returns at once; the page calls the game back (keys, ticks, commands,
// a box closed, the ring ended) through the functions main.cpp exports.
class WebFrontEnd : public FrontEnd {
public:
    explicit WebFrontEnd(Game& game) : game_(game) {}

    // The main window on the page, walked from the game's description.
    void build();

    void setCommandEnabled(Command command, bool enabled) override;
    void setPanelVisible(bool visible) override;
    std::string optionText(OptionBox box) const override;
    void setOptionText(OptionBox box, const std::string& text) override;
    void selectOptionText(OptionBox box) override;
    void setReadout(const std::string& text) override;
    void placeReadout(std::int32_t left, std::int32_t top) override;
    void showSprite(const Picture& image, std::int32_t x, std::int32_t y) override;
    void showSurface(const Rect& changed) override;
    void describeBoard(const std::string& words) override;
    void showMessage(const std::string& prompt, const std::string& title, MessageIcon icon) override;
    void setClockRunning(bool running) override;
    void playCue(Cue cue) override;
    void openAbout() override;
    void focusAbout() override;
    void closeAbout() override;
    // A page has no registry and starts no program: System Info says so.
    Registry& registry() override { return registry_; }
    SysInfoPlatform& system() override { return system_; }
    void quit(int status) override;

private:
    Game& game_;
    NoRegistry registry_;
    NoSystem system_;
    std::vector<std::uint32_t> canvas_;  // the surface in the canvas's byte order
    bool panelDressed_ = false;          // the panel's buttons have their faces
};

} // namespace velmora
