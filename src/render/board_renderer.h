#pragma once

#include "board/game_state.h"
#include "render/render_target.h"

#include <cstdint>

namespace velmora {

// Chooses the sprite's picture (the disk image while a disk is in hand, the
// cursor image otherwise) and refreshes the sprite; then clears
// the surface, draws the three pegs, and draws every disk bottom to top, tower 1
// first, refreshing after each disk so the board builds up on screen.
void RedrawBoard(const GameState& state, RenderTarget& target);

// The peg of tower 1, 2 or 3.
void DrawPeg(const GameState& state, RenderTarget& target, std::int16_t tower);

// One disk at a level of tower 1, whatever tower the slot belongs to, then a
// refresh. Used while a reset fills tower 1.
void DrawDisk(const GameState& state, RenderTarget& target, const DiskSlot& slot, std::int16_t level);

} // namespace velmora
