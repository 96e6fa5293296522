#pragma once

#include <cstdint>

namespace velmora {

// The pictures the floating cursor sprite can show.
enum class SpritePicture {
    Disk,      // the disk-in-hand image
    Selector,  // the empty-hand cursor image
};

// The board-disk picture that is copied for every disk: the outer size of its
// box in window pixels (image and border) and its inner (image) size.
struct DiskPictureMetrics {
    float width = 0.0f;
    float height = 0.0f;
    float scaleWidth = 0.0f;
    float scaleHeight = 0.0f;
};

// A picture box's sunken border, on every side.
inline constexpr std::int32_t PictureBoxBorder = 2;

inline constexpr std::uint32_t PegColour = 0x000000;
inline constexpr std::uint32_t TransparentColour = 0xFFFFFF;

// What the renderer draws on: the window's persistent surface, the sprite and
// the disk picture. Drawing calls go to the surface; only Refresh shows it.
class RenderTarget {
public:
    virtual ~RenderTarget() = default;

    virtual DiskPictureMetrics diskPicture() const = 0;

    virtual void setSpritePicture(SpritePicture picture) = 0;
    virtual void refreshSprite() = 0;

    virtual void Cls() = 0;
    // A filled box between two corners, both inclusive.
    virtual void FillBox(float x1, float y1, float x2, float y2, std::uint32_t colour) = 0;
    // Copies the source rectangle of the disk picture's image area, stretched
    // to the destination, skipping pixels equal to transparentColour.
    virtual void TransparentBlt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                                std::int32_t sourceX, std::int32_t sourceY, std::int32_t sourceWidth,
                                std::int32_t sourceHeight, std::uint32_t transparentColour) = 0;
    virtual void Refresh() = 0;
};

} // namespace velmora
