#pragma once

#include "board/board_host.h"
#include "board/game_state.h"

#include <cstdint>

namespace velmora {

// Virtual-key codes of the three keys the game is played with.
inline constexpr std::int16_t KeyCodeSpace = 32;
inline constexpr std::int16_t KeyCodeLeft = 37;
inline constexpr std::int16_t KeyCodeRight = 39;

// Whether the key is one the game is played with.
inline constexpr bool playsTheGame(std::int16_t keyCode)
{
    return keyCode == KeyCodeSpace || keyCode == KeyCodeLeft || keyCode == KeyCodeRight;
}

// Where the sprite's left edge stands over a tower: centred by the width of
// the cursor picture, kept as a real (115.5 for tower 1 with the standard
// images), also while the sprite shows the narrower disk image.
float cursorSpriteLeft(const GameState& state, std::int16_t tower);

// Puts the cursor sprite over tower 1, 2 or 3.
void PlaceCursor(const GameState& state, BoardHost& host, std::int16_t tower);

// A key going down on the main window, seen before any control gets it and
// never consumed. Only while the clock runs: Right and Left move the cursor
// round the towers (1-2-3-1, 3-2-1-3) without redrawing, Space lifts or sets
// down a disk, whatever modifiers are held; every other key does nothing.
void Form_KeyDown(GameState& state, BoardHost& host, std::int16_t keyCode);

} // namespace velmora
