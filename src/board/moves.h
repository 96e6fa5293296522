#pragma once

#include "board/board_host.h"
#include "board/game_state.h"

namespace velmora {

// May the disk in hand go on tower SelectedTower: on an empty tower, or on a
// larger disk (a smaller number). Equal numbers are refused. Compares with
// HeldDisk whether or not a disk is in hand. Changes nothing.
Boolean CanDrop(const GameState& state);

// Pushes HeldDisk onto tower SelectedTower, sets Finished when that fills
// tower 3, then plays the drop cue (also for a tower outside 1 to 3, where nothing
// else happens). Checks neither CanDrop nor Holding and leaves Holding alone.
void DropDisk(GameState& state, BoardHost& host);

// Takes the top disk of tower SelectedTower into the hand, with the lift cue;
// nothing at all for an empty tower.
void LiftDisk(GameState& state, BoardHost& host);

// The Space key while a game runs. CanDrop is computed first in every case:
//   holding, may drop: DropDisk, hand empty, redraw, then EndGameWon if Finished;
//   holding, may not:  nothing at all;
//   empty hand:        LiftDisk, then redraw (also when nothing was lifted).
void SpaceKey(GameState& state, BoardHost& host);

} // namespace velmora
