#include "board/moves.h"

namespace velmora {

namespace {

bool isTower(std::int16_t tower)
{
    return tower >= 1 && tower <= LastTower;
}

} // namespace

Boolean CanDrop(const GameState& state)
{
    const std::int16_t tower = state.SelectedTower;
    if (!isTower(tower))
        return BooleanFalse;
    const std::int16_t count = state.TowerCount(tower);
    if (count == 0)
        return BooleanTrue;
    const std::int16_t top = state.Towers(tower)(count).DiskNumber;
    return top < state.HeldDisk ? BooleanTrue : BooleanFalse;
}

void DropDisk(GameState& state, BoardHost& host)
{
    const std::int16_t tower = state.SelectedTower;
    if (isTower(tower)) {
        const std::int16_t count = add16(state.TowerCount(tower), 1);
        DiskSlot& slot = state.Towers(tower)(count);  // a 16th disk has no slot
        state.TowerCount(tower) = count;
        slot.TowerNumber = tower;
        slot.DiskNumber = state.HeldDisk;
        if (tower == LastTower && state.TowerCount(LastTower) == state.DiskCount)
            state.Finished = BooleanTrue;
    }
    host.PlaySoundCue(Cue::Drop);
}

void LiftDisk(GameState& state, BoardHost& host)
{
    const std::int16_t tower = state.SelectedTower;
    if (!isTower(tower) || state.TowerCount(tower) <= 0)
        return;
    state.Holding = BooleanTrue;
    host.PlaySoundCue(Cue::Lift);
    state.HeldDisk = state.Towers(tower)(state.TowerCount(tower)).DiskNumber;
    state.TowerCount(tower) = sub16(state.TowerCount(tower), 1);
}

void SpaceKey(GameState& state, BoardHost& host)
{
    const Boolean mayDrop = CanDrop(state);
    if (isTrue(state.Holding)) {
        if (!isTrue(mayDrop))
            return;
        DropDisk(state, host);
        state.Holding = BooleanFalse;
        host.RedrawBoard();
        if (isTrue(state.Finished))
            host.EndGameWon();
        return;
    }
    LiftDisk(state, host);
    host.RedrawBoard();
}

} // namespace velmora
