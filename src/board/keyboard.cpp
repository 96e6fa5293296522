#include "board/keyboard.h"

#include "board/moves.h"

namespace velmora {

float cursorSpriteLeft(const GameState& state, std::int16_t tower)
{
    return static_cast<float>(state.TowerX(tower) - double{state.SelectorWidth} / 2);
}

void PlaceCursor(const GameState& state, BoardHost& host, std::int16_t tower)
{
    host.moveCursorSprite(cursorSpriteLeft(state, tower));
}

void Form_KeyDown(GameState& state, BoardHost& host, std::int16_t keyCode)
{
    if (!host.clockRunning())
        return;
    if (!playsTheGame(keyCode))
        return;
    if (keyCode == KeyCodeRight) {
        state.SelectedTower = add16(state.SelectedTower, 1);
        if (state.SelectedTower > LastTower)
            state.SelectedTower = 1;
        PlaceCursor(state, host, state.SelectedTower);
    }
    if (keyCode == KeyCodeLeft) {
        state.SelectedTower = sub16(state.SelectedTower, 1);
        if (state.SelectedTower == 0)
            state.SelectedTower = LastTower;
        PlaceCursor(state, host, state.SelectedTower);
    }
    if (keyCode == KeyCodeSpace)
        SpaceKey(state, host);
}

} // namespace velmora
