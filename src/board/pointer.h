#pragma once

#include "board/board_host.h"
#include "board/game_state.h"

#include <cstdint>

namespace velmora {

// The tower a point of the board belongs to, by its distance across: the
// tower whose centre line is nearest, and halfway between two the left one.
// The height of the point does not matter: the whole column is the tower's.
std::int16_t TowerAt(const GameState& state, double x);

// A press on the board (a click or a tap) at x. Only while the clock runs:
// the cursor goes to the tower the point belongs to, placed as Left and Right
// place it, and the press then acts as Space does.
void BoardPress(GameState& state, BoardHost& host, double x);

} // namespace velmora
