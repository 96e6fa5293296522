#include "game/held_front_end.h"

#include "sound/cue_table.h"

#include <utility>

namespace velmora {

template <typename Call>
void HeldFrontEnd::ask(Call&& call, bool holds)
{
    if (holding_) {
        kept_.push_back(Request{std::forward<Call>(call), holds});
        return;
    }
    call(*frontEnd_);
    holding_ = holds;
}

void HeldFrontEnd::release()
{
    holding_ = false;
    while (!holding_ && !kept_.empty()) {
        Request request = std::move(kept_.front());
        kept_.pop_front();
        request.call(*frontEnd_);
        holding_ = request.holds;
    }
}

void HeldFrontEnd::setCommandEnabled(Command command, bool enabled)
{
    ask([=](FrontEnd& frontEnd) { frontEnd.setCommandEnabled(command, enabled); });
}

void HeldFrontEnd::setPanelVisible(bool visible)
{
    ask([=](FrontEnd& frontEnd) { frontEnd.setPanelVisible(visible); });
}

void HeldFrontEnd::setOptionText(OptionBox box, const std::string& text)
{
    ask([=](FrontEnd& frontEnd) { frontEnd.setOptionText(box, text); });
}

void HeldFrontEnd::selectOptionText(OptionBox box)
{
    ask([=](FrontEnd& frontEnd) { frontEnd.selectOptionText(box); });
}

void HeldFrontEnd::setReadout(const std::string& text)
{
    ask([=](FrontEnd& frontEnd) { frontEnd.setReadout(text); });
}

void HeldFrontEnd::placeReadout(std::int32_t left, std::int32_t top)
{
    ask([=](FrontEnd& frontEnd) { frontEnd.placeReadout(left, top); });
}

// The picture as it was asked for: the sprite may change meanwhile.
void HeldFrontEnd::showSprite(const Picture& image, std::int32_t x, std::int32_t y)
{
    if (!holding_) {
        frontEnd_->showSprite(image, x, y);
        return;
    }
    ask([=, copy = image](FrontEnd& frontEnd) { frontEnd.showSprite(copy, x, y); });
}

void HeldFrontEnd::showSurface(const Rect& changed)
{
    ask([=](FrontEnd& frontEnd) { frontEnd.showSurface(changed); });
}

void HeldFrontEnd::describeBoard(const std::string& words)
{
    ask([=](FrontEnd& frontEnd) { frontEnd.describeBoard(words); });
}

void HeldFrontEnd::showMessage(const std::string& prompt, const std::string& title, MessageIcon icon)
{
    ask([=](FrontEnd& frontEnd) { frontEnd.showMessage(prompt, title, icon); });
}

void HeldFrontEnd::setClockRunning(bool running)
{
    ask([=](FrontEnd& frontEnd) { frontEnd.setClockRunning(running); });
}

void HeldFrontEnd::playCue(Cue cue)
{
    ask([=](FrontEnd& frontEnd) { frontEnd.playCue(cue); }, cueHolds(cue));
}

void HeldFrontEnd::openAbout()
{
    ask([](FrontEnd& frontEnd) { frontEnd.openAbout(); });
}

void HeldFrontEnd::focusAbout()
{
    ask([](FrontEnd& frontEnd) { frontEnd.focusAbout(); });
}

void HeldFrontEnd::closeAbout()
{
    ask([](FrontEnd& frontEnd) { frontEnd.closeAbout(); });
}

void HeldFrontEnd::quit(int status)
{
    ask([=](FrontEnd& frontEnd) { frontEnd.quit(status); });
}

} // namespace velmora
