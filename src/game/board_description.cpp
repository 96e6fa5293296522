#include "game/board_description.h"

namespace velmora {

std::string describeBoard(const GameState& state)
{
    std::string text;
    for (int tower = 1; tower <= LastTower; ++tower) {
        text += "Tower " + std::to_string(tower) + ": ";
        const int count = state.TowerCount(tower);
        if (count == 0)
            text += "empty";
        for (int level = 1; level <= count; ++level) {
            text += level == 1 ? (count == 1 ? "disk " : "disks ") : ", ";
            text += std::to_string(state.Towers(tower)(level).DiskNumber);
        }
        text += ". ";
    }
    text += "The cursor is over tower " + std::to_string(state.SelectedTower) + ". ";
    text += isTrue(state.Holding) ? "Disk " + std::to_string(state.HeldDisk) + " is in hand." : "No disk in hand.";
    return text;
}

} // namespace velmora
