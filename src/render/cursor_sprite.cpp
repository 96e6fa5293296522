#include "render/cursor_sprite.h"

#include "board/checked_math.h"
#include "render/bevel.h"

#include <algorithm>

namespace velmora {

CursorSprite::CursorSprite(const Picture& cursor, const Picture& diskInHand)
    : cursor_(cursor)
    , diskInHand_(diskInHand)
{
    setPicture(SpritePicture::Selector);
}

void CursorSprite::setPicture(SpritePicture picture)
{
    picture_ = picture == SpritePicture::Selector ? &cursor_ : &diskInHand_;
    width_ = picture_->width + 2 * PictureBoxBorder;
    height_ = picture_->height + 2 * PictureBoxBorder;
}

void CursorSprite::place(float left, float top)
{
    left_ = left;
    top_ = top;
    visible_ = true;
}

void CursorSprite::setLeft(float left)
{
    left_ = left;
}

std::int32_t CursorSprite::x() const
{
    return roundToInt32(left_);
}

std::int32_t CursorSprite::y() const
{
    return roundToInt32(top_);
}

// A sunken edge; inside it the picture, from its top left corner.
Picture CursorSprite::image() const
{
    Surface box(width_, height_, Grey);
    drawEdge(box, false);
    Picture image = box.picture();
    for (std::int32_t row = 0; row < picture_->height; ++row)
        std::copy_n(picture_->pixels.begin() + row * picture_->width, picture_->width,
                    image.pixels.begin() + (row + PictureBoxBorder) * image.width + PictureBoxBorder);
    return image;
}

} // namespace velmora
