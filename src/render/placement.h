#pragma once

#include "board/game_state.h"

#include <cstdint>

namespace velmora {

// Where one disk is copied to, in pixels of the window's client area.
struct DiskBlit {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// The two corners of a peg, handed to the drawing as reals without rounding.
struct PegCorners {
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
};

// Disk diskNumber standing at level (1 = bottom) of tower. pictureWidth and
// pictureHeight are the outer size of the board-disk picture's box: the size
// of the largest disk. Each
// level up the disk's top edge rises by H/3 - 10 and its height shrinks by
// H/15; each disk number up narrows it by WidthStep on either side.
DiskBlit diskPlacement(const GameState& state, std::int16_t tower, std::int16_t diskNumber,
                       std::int16_t level, float pictureWidth, float pictureHeight);

// The peg of tower (1 to 3): 4 units wide about the tower's centre, from the
// base line up to DiskCount x H / 3 above it, whatever the tower holds.
PegCorners pegCorners(const GameState& state, std::int16_t tower, float pictureHeight);

} // namespace velmora
