#include "board/reset_board.h"

#include "board/keyboard.h"

namespace velmora {

namespace {

constexpr float CursorSpriteTop = 20.0f;

} // namespace

void ComputeLayout(GameState& state, const PictureSizes& sizes,
                   const std::function<void()>& afterWidthStep)
{
    const double width = sizes.pictureWidth;
    const double height = sizes.pictureHeight;

    state.MinDiskWidth = roundToInt32(divide(width, 6));
    state.MaxDiskWidth = roundToInt32(width);
    // A 32-bit difference over a 16-bit doubled count, divided as reals.
    const std::int32_t difference = sub32(state.MaxDiskWidth, state.MinDiskWidth);
    const std::int16_t doubledCount = mul16(2, state.TowerCount(1));
    state.WidthStep = roundToInt32(divide(difference, doubledCount));

    if (afterWidthStep)
        afterWidthStep();

    state.SelectorWidth = sizes.selectorWidth;
    state.TowerX(1) = roundToInt32(divide(width, 2) + 50);
    state.TowerBaseY(1) = roundToInt32(divide(height, 3) * 10 + 100);
    state.TowerX(2) = mul32(3, state.TowerX(1));
    state.TowerX(3) = mul32(5, state.TowerX(1));
    state.TowerBaseY(2) = state.TowerBaseY(1);
    state.TowerBaseY(3) = state.TowerBaseY(1);
}

void ResetBoard(GameState& state, BoardHost& host, const std::function<void()>& afterWidthStep)
{
    if (state.DiskCount < MinDiskCount || state.DiskCount > MaxDiskCount)
        throw RuntimeError(RuntimeError::InvalidProcedureCall);

    state.TowerCount(1) = state.DiskCount;
    state.TowerCount(2) = 0;
    state.TowerCount(3) = 0;

    ComputeLayout(state, host.pictureSizes(), afterWidthStep);

    for (std::int16_t tower = 1; tower <= LastTower; ++tower)
        host.DrawPeg(tower);

    const std::int16_t diskCount = state.TowerCount(1);
    for (std::int16_t level = 1; level <= diskCount; ++level) {
        DiskSlot& slot = state.Towers(1)(level);
        slot.DiskNumber = level;
        slot.TowerNumber = 1;
        host.DrawDisk(slot, level);
    }

    host.showCursorSprite(cursorSpriteLeft(state, 1), CursorSpriteTop);

    state.SelectedTower = 1;
    state.Holding = BooleanFalse;

    host.RedrawBoard();
}

} // namespace velmora
