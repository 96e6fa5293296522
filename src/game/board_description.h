#pragma once

#include "board/game_state.h"

#include <string>

namespace velmora {

// The board in words, for a screen reader: the disks on each tower from the
// bottom up (disk 1 is the largest), where the cursor is and the disk in hand.
// "Tower 1: disks 1, 2, 3. Tower 2: empty. Tower 3: empty. The cursor is over
// tower 1. No disk in hand."
std::string describeBoard(const GameState& state);

} // namespace velmora
