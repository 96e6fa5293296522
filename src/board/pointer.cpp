#include "board/pointer.h"

#include "board/keyboard.h"
#include "board/moves.h"

#include <cmath>

namespace velmora {

std::int16_t TowerAt(const GameState& state, double x)
{
    std::int16_t nearest = 1;
    for (std::int16_t tower = 2; tower <= LastTower; ++tower)
        if (std::abs(x - state.TowerX(tower)) < std::abs(x - state.TowerX(nearest)))
            nearest = tower;
    return nearest;
}

void BoardPress(GameState& state, BoardHost& host, double x)
{
    if (!host.clockRunning())
        return;
    const std::int16_t tower = TowerAt(state, x);
    if (tower != state.SelectedTower) {
        state.SelectedTower = tower;
        PlaceCursor(state, host, tower);
    }
    SpaceKey(state, host);
}

} // namespace velmora
