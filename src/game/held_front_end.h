#pragma once

#include "game/front_end.h"

#include <deque>
#include <functional>

namespace velmora {

// Stands between the game and its front end. A cue the game waits for
// (cueHolds) holds the window: what the game asks of it afterwards is kept, in
// order, and done once the cue has ended, as if the game had waited inside
// the cue. The player sees and hears nothing of what came after the cue
// before it ends. What the game reads of the window (an option's text, the
// registry) is read at once.
class HeldFrontEnd : public FrontEnd {
public:
    void attach(FrontEnd& frontEnd) { frontEnd_ = &frontEnd; }

    // Whether a held cue sounds.
    bool holding() const { return holding_; }
    // The held cue has ended: what was kept is done, up to and including the
    // next held cue, which holds again.
    void release();

    void setCommandEnabled(Command command, bool enabled) override;
    void setPanelVisible(bool visible) override;
    std::string optionText(OptionBox box) const override { return frontEnd_->optionText(box); }
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
    Registry& registry() override { return frontEnd_->registry(); }
    SysInfoPlatform& system() override { return frontEnd_->system(); }
    void quit(int status) override;

private:
    struct Request {
        std::function<void(FrontEnd&)> call;
        bool holds;  // a cue the game waits for
    };
    // Calls at once while nothing holds (no copy made), else keeps the call.
    template <typename Call>
    void ask(Call&& call, bool holds = false);

    FrontEnd* frontEnd_ = nullptr;
    bool holding_ = false;
    std::deque<Request> kept_;
};

} // namespace velmora
