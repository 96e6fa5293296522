#include "render/placement.h"

namespace velmora {

DiskBlit diskPlacement(const GameState& state, std::int16_t tower, std::int16_t diskNumber,
                       std::int16_t level, float pictureWidth, float pictureHeight)
{
    const double width = pictureWidth;
    const double height = pictureHeight;
    const std::int32_t towerX = state.TowerX(tower);
    const std::int32_t baseY = state.TowerBaseY(tower);
    const std::int16_t levelsBelow = sub16(level, 1);

    const double x = towerX - width / 2 + mul32(sub16(diskNumber, 1), state.WidthStep);
    const std::int32_t h = roundToInt32(height - (divide(levelsBelow, 15)) * height);
    const double y = baseY - height - levelsBelow * height / 3 + mul16(10, levelsBelow);
    const double w = 2 * (towerX - x);

    return DiskBlit{roundToInt32(x), roundToInt32(y), roundToInt32(w), h};
}

PegCorners pegCorners(const GameState& state, std::int16_t tower, float pictureHeight)
{
    const std::int32_t towerX = state.TowerX(tower);
    const std::int32_t baseY = state.TowerBaseY(tower);
    const double pegHeight = state.DiskCount * double{pictureHeight} / 3;
    return PegCorners{static_cast<float>(sub32(towerX, 2)),
                      static_cast<float>(baseY - pegHeight),
                      static_cast<float>(add32(towerX, 2)),
                      static_cast<float>(baseY)};
}

} // namespace velmora
