#include "render/board_renderer.h"

#include "render/placement.h"

namespace velmora {

namespace {

// Copies the disk picture for one disk; W and H are read afresh each time.
void drawDiskAt(const GameState& state, RenderTarget& target, std::int16_t tower,
                std::int16_t diskNumber, std::int16_t level)
{
    const DiskPictureMetrics picture = target.diskPicture();
    const DiskBlit blit = diskPlacement(state, tower, diskNumber, level, picture.width, picture.height);
    target.TransparentBlt(blit.x, blit.y, blit.width, blit.height, 0, 0,
                          roundToInt32(picture.scaleWidth), roundToInt32(picture.scaleHeight),
                          TransparentColour);
}

} // namespace

void RedrawBoard(const GameState& state, RenderTarget& target)
{
    target.setSpritePicture(isTrue(state.Holding) ? SpritePicture::Disk : SpritePicture::Selector);
    target.refreshSprite();

    target.Cls();
    for (std::int16_t tower = 1; tower <= LastTower; ++tower)
        DrawPeg(state, target, tower);

    for (std::int16_t tower = 1; tower <= LastTower; ++tower) {
        const std::int16_t count = state.TowerCount(tower);
        for (std::int16_t level = 1; level <= count; ++level) {
            drawDiskAt(state, target, tower, state.Towers(tower)(level).DiskNumber, level);
            target.Refresh();
        }
    }
}

void DrawPeg(const GameState& state, RenderTarget& target, std::int16_t tower)
{
    const PegCorners peg = pegCorners(state, tower, target.diskPicture().height);
    target.FillBox(peg.left, peg.top, peg.right, peg.bottom, PegColour);
}

void DrawDisk(const GameState& state, RenderTarget& target, const DiskSlot& slot, std::int16_t level)
{
    drawDiskAt(state, target, 1, slot.DiskNumber, level);
    target.Refresh();
}

} // namespace velmora
