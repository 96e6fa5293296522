// The phases of a game: load, new game, start, the clock's tick with the lost
// game, the end of a won game, and Exit. Each handler runs its steps in this
// order; the phase lives in Timer1, mStart, mOptiuni and Finished.

#include "app/form1.h"

#include "board/checked_math.h"
#include "board/reset_board.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include <limits>

namespace velmora {

namespace {

constexpr float NewGameFontSize = 16.0f;

} // namespace

void Form1::Form_Load()
{
    placeReadout();
    state_.DiskCount = 10;
    ResetBoard(state_, *this, [this] {
        state_.TimeLimit = 60;
        Text1->setText(QString::number(state_.TimeLimit));
        Text2->setText(QString::number(state_.DiskCount));
    });
}

// The read-out stands where the previous reset put tower 2, 100 below its base
// line; at the first load the geometry is still zero, so it starts at (0, 100).
void Form1::placeReadout()
{
    Label3->move(state_.TowerX(2), add32(state_.TowerBaseY(2), 100));
}

// The plain decimal count; the label sizes itself to it from its left edge.
void Form1::showReadout(std::int16_t seconds)
{
    Label3->setText(QString::number(seconds));
    Label3->adjustSize();
}

void Form1::NewGame()
{
    placeReadout();
    setFontSize(NewGameFontSize);
    ResetBoard(state_, *this);
}

// Also during a game: it starts afresh, clock back to 0, all disks on tower 1.
void Form1::mStart_Click()
{
    // A fresh game gets a whole first second.
    Timer1->start();
    state_.ElapsedSeconds = 0;
    mOptiuni->setEnabled(false);
    state_.Finished = BooleanFalse;
    NewGame();
}

void Form1::Timer1_Timer()
{
    // The 16-bit count stops at its largest value instead of overflowing: a
    // game left that long simply can no longer be lost by time.
    if (state_.ElapsedSeconds == std::numeric_limits<std::int16_t>::max())
        return;
    state_.ElapsedSeconds = add16(state_.ElapsedSeconds, 1);
    showReadout(state_.ElapsedSeconds);
    if (state_.ElapsedSeconds == state_.TimeLimit)
        LoseGame();
}

// The time-up end. The clock keeps running while the box is open, so ticks
// run nested inside it and the read-out counts on; it stops once the box is
// closed.
void Form1::LoseGame()
{
    PlaySoundCue(CueTimeUp);
    PlaySoundCue(CueLose);
    messageBox_(QStringLiteral("Ati pierdut - mai incercati"), QStringLiteral("Game Over"));
    mStart->setEnabled(true);
    mOptiuni->setEnabled(true);
    Timer1->stop();
}

// Run by the move rules after the last disk landed on tower 3 and the board
// was redrawn. The clock stops before the box opens.
void Form1::EndGameWon()
{
    PlaySoundCue(CueWin);
    Timer1->stop();
    messageBox_(QStringLiteral("Felicitari, ati terminat ... "), QStringLiteral("Finish ...."));
    mOptiuni->setEnabled(true);
    mStart->setEnabled(true);
}

// Ends the program at once, in every phase; there is nothing to save.
void Form1::mExit_Click()
{
    Timer1->stop();
    QCoreApplication::exit(0);
}

} // namespace velmora
