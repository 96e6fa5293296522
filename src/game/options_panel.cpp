// The options panel: the time limit and the disk count of the next game,
// edited as text in two boxes, stepped by four buttons whose ranges cycle, and
// applied together by Ok, the only way to close the panel.

#include "game/game.h"

#include "game/option_text.h"
#include "velmora/version.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace velmora {

namespace {

// What a box takes, said from the limits themselves: a time limit of 16
// bits, any count of disks a tower holds, and the values a game starts with.
std::string refusal(OptionBox box)
{
    using Seconds = std::numeric_limits<std::int16_t>;
    const bool time = box == OptionBox::TimeLimit;
    std::string text = time ? "Timpul (Time) trebuie sa fie un numar de secunde intre "
                            : "Nivelul (Level) trebuie sa fie un numar de discuri de la ";
    text.append(std::to_string(time ? Seconds::min() : MinDiskCount)).append(time ? " si " : " la ");
    text.append(std::to_string(time ? Seconds::max() : MaxDiskCount)).append(", de exemplu ");
    return text.append(std::to_string(time ? DefaultTimeLimit : DefaultDiskCount)).append(".");
}

} // namespace

// Adds the step and writes the sum back, then reads it again: exactly the wrap
// value is replaced by the other end of the range. A value off the grid of
// the range never meets it and steps on.
void Game::stepOption(OptionBox box, double step, double wrapValue, const char* replacement)
{
    const std::optional<double> value = readNumber(frontEnd_->optionText(box));
    if (!value) {
        refuseOption(box);
        return;
    }
    frontEnd_->setOptionText(box, writeNumber(*value + step));
    if (readNumber(frontEnd_->optionText(box)) == wrapValue)
        frontEnd_->setOptionText(box, replacement);
}

// Applies both values and rebuilds the board; the clock is left as it is.
// Values the game cannot use are refused before anything is applied.
void Game::applyOptions()
{
    const std::optional<double> time = readNumber(frontEnd_->optionText(OptionBox::TimeLimit));
    const std::optional<std::int16_t> timeLimit = time ? toInteger16(*time) : std::nullopt;
    if (!timeLimit) {
        refuseOption(OptionBox::TimeLimit);
        return;
    }
    const std::optional<double> level = readNumber(frontEnd_->optionText(OptionBox::DiskCount));
    const std::optional<std::int16_t> diskCount = level ? toInteger16(*level) : std::nullopt;
    if (!diskCount || *diskCount < MinDiskCount || *diskCount > MaxDiskCount) {
        refuseOption(OptionBox::DiskCount);
        return;
    }
    state_.TimeLimit = *timeLimit;
    state_.DiskCount = *diskCount;
    NewGame();
    frontEnd_->setPanelVisible(false);
    setEnabled(Command::Start, true);
}

// Says what the box takes and leaves everything as it was, the typed text
// included, ready to be corrected.
void Game::refuseOption(OptionBox box)
{
    showMessage(refusal(box), ApplicationTitle,
                [this, box] { frontEnd_->selectOptionText(box); });
}

} // namespace velmora
