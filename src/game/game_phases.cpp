// The phases of a game: start-up, new game, start, the clock's tick with the
// lost game, the end of a won game, and exit. Each runs its steps in this
// order; the phase lives in the clock, the two menu items and Finished.

#include "game/game.h"

#include "board/checked_math.h"
#include "board/reset_board.h"

#include <limits>
#include <string>

namespace velmora {

bool Game::load()
{
    return run([&] { Form_Load(); });
}

// The options are written once the reset knows its width step, before the
// geometry is finished.
void Game::Form_Load()
{
    placeReadout();
    state_.DiskCount = DefaultDiskCount;
    ResetBoard(state_, *this, [&] {
        state_.TimeLimit = DefaultTimeLimit;
        frontEnd_->setOptionText(OptionBox::TimeLimit, std::to_string(state_.TimeLimit));
        frontEnd_->setOptionText(OptionBox::DiskCount, std::to_string(state_.DiskCount));
    });
}

// The read-out stands where the previous reset put tower 2, 100 below its base
// line; at start-up the geometry is still zero, so it starts at (0, 100).
void Game::placeReadout()
{
    frontEnd_->placeReadout(state_.TowerX(2), add32(state_.TowerBaseY(2), 100));
}

void Game::NewGame()
{
    placeReadout();
    ResetBoard(state_, *this);
}

// Also during a game: it starts afresh, the clock back to 0 with a whole
// first second, all disks on tower 1.
void Game::startGame()
{
    setClock(true);
    state_.ElapsedSeconds = 0;
    setEnabled(Command::Options, false);
    state_.Finished = BooleanFalse;
    NewGame();
    described_.clear();  // a new game's board is told afresh, the same as the last or not
}

// While a held cue holds the game, the ticks that fall due come as one, after it.
void Game::tick()
{
    if (!clockRunning_)
        return;
    if (cueHeld_) {
        tickDue_ = true;
        return;
    }
    run([&] { countSecond(); });
}

void Game::countSecond()
{
    // The 16-bit count stops at its largest value instead of overflowing: a
    // game left that long simply can no longer be lost by time.
    if (state_.ElapsedSeconds == std::numeric_limits<std::int16_t>::max())
        return;
    state_.ElapsedSeconds = add16(state_.ElapsedSeconds, 1);
    frontEnd_->setReadout(std::to_string(state_.ElapsedSeconds));
    if (state_.ElapsedSeconds == state_.TimeLimit)
        LoseGame();
}

// The time-up end: the whole ring, then the buzz and the box. The clock runs
// on under the box, so the read-out counts on; it stops once the box is
// closed.
void Game::LoseGame()
{
    playCueThen(Cue::TimeUp, [this] {
        PlaySoundCue(Cue::Lose);
        showMessage("Ati pierdut - mai incercati", "Game Over", [this] {
            setEnabled(Command::Start, true);
            setEnabled(Command::Options, true);
            setClock(false);
        });
    });
}

// Run by the move rules after the last disk landed on tower 3 and the board
// was redrawn. The clock stops before the box opens.
void Game::EndGameWon()
{
    PlaySoundCue(Cue::Win);
    setClock(false);
    showMessage("Felicitari, ati terminat ... ", "Finish ....", [this] {
        setEnabled(Command::Options, true);
        setEnabled(Command::Start, true);
    });
}

} // namespace velmora
