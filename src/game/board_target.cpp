#include "game/board_target.h"

namespace velmora {

DiskPictureMetrics BoardTarget::diskPicture() const
{
    const Picture& disk = pictures_.boardDisk;
    return DiskPictureMetrics{BoardPictures::boxSize(disk.width), BoardPictures::boxSize(disk.height),
                              static_cast<float>(disk.width), static_cast<float>(disk.height)};
}

void BoardTarget::setSpritePicture(SpritePicture picture)
{
    sprite_.setPicture(picture);
}

void BoardTarget::refreshSprite()
{
    if (sprite_.visible())
        frontEnd_->showSprite(sprite_.image(), sprite_.x(), sprite_.y());
}

void BoardTarget::showCursorSprite(float left, float top)
{
    sprite_.setPicture(SpritePicture::Selector);
    sprite_.place(left, top);
    refreshSprite();
}

void BoardTarget::moveCursorSprite(float left)
{
    sprite_.setLeft(left);
    refreshSprite();
}

void BoardTarget::Cls()
{
    surface_.clear();
}

void BoardTarget::FillBox(float x1, float y1, float x2, float y2, std::uint32_t colour)
{
    surface_.fillBox(x1, y1, x2, y2, colour);
}

void BoardTarget::TransparentBlt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                                 std::int32_t sourceX, std::int32_t sourceY, std::int32_t sourceWidth,
                                 std::int32_t sourceHeight, std::uint32_t transparentColour)
{
    surface_.transparentBlt(Rect{x, y, width, height}, pictures_.boardDisk,
                            Rect{sourceX, sourceY, sourceWidth, sourceHeight}, transparentColour);
}

void BoardTarget::Refresh()
{
    const Rect changed = surface_.takeChanged();
    if (!changed.empty())
        frontEnd_->showSurface(changed);
}

} // namespace velmora
