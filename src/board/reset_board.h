#pragma once

#include "board/board_host.h"
#include "board/game_state.h"

#include <functional>

namespace velmora {

// The board geometry of a reset: every tower position, the base line and the
// disk width step, from the picture sizes and TowerCount(1). Each formula is
// evaluated in double precision in the order written and rounded half-to-even
// only at the end. afterWidthStep, when given, runs once WidthStep is known and
// before SelectorWidth is read (the load handler writes the options there).
void ComputeLayout(GameState& state, const PictureSizes& sizes,
                   const std::function<void()>& afterWidthStep = {});

// Sets up a fresh board for state.DiskCount and draws it: all disks on tower 1
// (disk 1, the largest, at the bottom), the cursor sprite over tower 1, nothing
// in hand. Towers 2 and 3 are emptied by their counts only; DiskCount,
// TimeLimit, ElapsedSeconds, HeldDisk and Finished are left as they are.
//
// Precondition: MinDiskCount <= DiskCount <= MaxDiskCount. A stack has 15 slots
// and the width step is the widths' difference divided by 2 x DiskCount, so any
// other count is refused with RuntimeError::InvalidProcedureCall before anything
// is changed or drawn.
void ResetBoard(GameState& state, BoardHost& host,
                const std::function<void()>& afterWidthStep = {});

} // namespace velmora
