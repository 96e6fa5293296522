// The phases of a game: start-up, new game, start, the clock's tick with the
// lost game, the end of a won game, and exit. Each runs its steps in this
// order; the phase lives in the clock, the two menu items and Finished.

#include "game/game.h"

#include "board/checked_math.h"
#include "board/reset_board.h"

#include <limits>
#include <string>

namespace velmora {

namespace {

constexpr float NewGameFontSize = 16.0f;

} // namespace

bool Game::load()
{
    return run([&] { Form_Load(); });
}

// The options are written once the reset knows its width step, before the
// geometry is finished.
void Game::Form_Load()
{
    placeReadout();
    state_.DiskCount = 10;
    ResetBoard(state_, *this, [&] {
        state_.TimeLimit = 60;
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
    fontSize_ = NewGameFontSize;
    ResetBoard(state_, *this);
}

// Also during a game: it starts afresh, the clock back to 0 with a whole
// first second, all disks on tower 1.
void Game::startGame()
{
    run([&] {
        setClock(true);
        state_.ElapsedSeconds = 0;
        frontEnd_->setMenuEnabled(MenuItem::Options, false);
        state_.Finished = BooleanFalse;
        NewGame();
    });
}

void Game::tick()
{
    if (!clockRunning_)
        return;
    run([&] {
        // The 16-bit count stops at its largest value instead of overflowing:
        // a game left that long simply can no longer be lost by time.
        if (state_.ElapsedSeconds == std::numeric_limits<std::int16_t>::max())
            return;
        state_.ElapsedSeconds = add16(state_.ElapsedSeconds, 1);
        frontEnd_->setReadout(std::to_string(state_.ElapsedSeconds));
        if (state_.ElapsedSeconds == state_.TimeLimit)
            LoseGame();
    });
}

// The time-up end. The clock keeps running while the box is open, so ticks
// run nested inside it and the read-out counts on; it stops once the box is
// closed.
void Game::LoseGame()
{
    PlaySoundCue(Cue::TimeUp);
    PlaySoundCue(Cue::Lose);
    frontEnd_->showMessage("Ati pierdut - mai incercati", "Game Over");
    frontEnd_->setMenuEnabled(MenuItem::Start, true);
    frontEnd_->setMenuEnabled(MenuItem::Options, true);
    setClock(false);
}

// Run by the move rules after the last disk landed on tower 3 and the board
// was redrawn. The clock stops before the box opens.
void Game::EndGameWon()
{
    PlaySoundCue(Cue::Win);
    setClock(false);
    frontEnd_->showMessage("Felicitari, ati terminat ... ", "Finish ....");
    frontEnd_->setMenuEnabled(MenuItem::Options, true);
    frontEnd_->setMenuEnabled(MenuItem::Start, true);
}

// Ends the program at once, in every phase; there is nothing to save.
void Game::exitGame()
{
    run([&] {
        setClock(false);
        frontEnd_->quit(0);
    });
}

} // namespace velmora
