#include "render/cursor_sprite.h"

#include "board/checked_math.h"

#include <algorithm>

namespace velmora {

CursorSprite::CursorSprite(const Picture& cursor, const Picture& diskInHand)
    : cursor_(cursor)
    , diskInHand_(diskInHand)
{
}

void CursorSprite::setPicture(SpritePicture picture)
{
    picture_ = picture == SpritePicture::Selector ? &cursor_ : picture == SpritePicture::Disk ? &diskInHand_ : nullptr;
    if (picture_) {
        width_ = picture_->width + 2 * PictureBoxBorder;
        height_ = picture_->height + 2 * PictureBoxBorder;
    }
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

// The sunken edge is a shadow above and left and a light below and right,
// twice; inside it the picture, from its top left corner.
Picture CursorSprite::image() const
{
    Surface box(width_, height_, rgb(128, 128, 128));
    const auto edge = [&box](std::int32_t inset, Pixel topLeft, Pixel bottomRight) {
        const float left = static_cast<float>(inset);
        const float top = static_cast<float>(inset);
        const float right = static_cast<float>(box.width() - 1 - inset);
        const float bottom = static_cast<float>(box.height() - 1 - inset);
        box.fillBox(left, top, right, top, topLeft);
        box.fillBox(left, top, left, bottom, topLeft);
        box.fillBox(left, bottom, right, bottom, bottomRight);
        box.fillBox(right, top, right, bottom, bottomRight);
    };
    edge(0, rgb(128, 128, 128), rgb(255, 255, 255));
    edge(1, rgb(64, 64, 64), rgb(223, 223, 223));
    const Pixel* pixels = box.pixels();
    Picture image{box.width(), box.height(), std::vector<Pixel>(pixels, pixels + box.width() * box.height())};
    if (picture_) {
        const std::int32_t width = std::min(picture_->width, width_ - 2 * PictureBoxBorder);
        const std::int32_t height = std::min(picture_->height, height_ - 2 * PictureBoxBorder);
        for (std::int32_t row = 0; row < height; ++row)
            std::copy_n(picture_->pixels.begin() + row * picture_->width, width,
                        image.pixels.begin() + (row + PictureBoxBorder) * image.width + PictureBoxBorder);
    }
    return image;
}

} // namespace velmora
