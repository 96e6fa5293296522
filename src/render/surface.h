#pragma once

#include <cstdint>
#include <vector>

namespace velmora {

// Pixels are 32-bit 0xAARRGGBB words; the surface writes alpha 0xFF. This is
// the memory layout of a Qt RGB32 image and of a top-down 32-bit Windows DIB,
// so both desktop front ends show the pixels without converting them. A
// browser's canvas holds bytes red, green, blue, alpha: rgbaPixels and
// Surface::copyRgba convert to that.
using Pixel = std::uint32_t;

inline constexpr Pixel rgb(int red, int green, int blue)
{
    return 0xFF000000u | (static_cast<Pixel>(red) << 16) | (static_cast<Pixel>(green) << 8)
        | static_cast<Pixel>(blue);
}

// The colours the windows' edges, buttons and lines are drawn in.
inline constexpr Pixel Black = rgb(0, 0, 0);
inline constexpr Pixel Grey = rgb(128, 128, 128);
inline constexpr Pixel White = rgb(255, 255, 255);

// A rectangle of pixels; empty when either size is not positive.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    bool empty() const { return width <= 0 || height <= 0; }
    std::int32_t right() const { return left + width; }    // one past the last column
    std::int32_t bottom() const { return top + height; }   // one past the last row
    bool contains(const Rect& other) const;
    Rect intersected(const Rect& other) const;
    // The smallest rectangle holding both; an empty one adds nothing.
    Rect united(const Rect& other) const;

    friend bool operator==(const Rect&, const Rect&) = default;
};

// An image the surface copies from: the board disk, the cursor, the disk in hand.
struct Picture {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<Pixel> pixels;  // rows top to bottom
};

// The window's persistent drawing surface: it keeps what is drawn until the
// next clear, and remembers the area changed since it was last shown, so a
// refresh after each disk only puts that disk on the screen.
//
// It grows with the window but never shrinks, so a board hidden by a small
// window is still there when the window is enlarged again.
class Surface {
public:
    Surface(std::int32_t width, std::int32_t height, Pixel background);

    // A copy of the whole surface as a picture.
    Picture picture() const;
    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    const Pixel* pixels() const { return pixels_.data(); }
    Pixel pixel(std::int32_t x, std::int32_t y) const
    {
        return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
    }
    Rect bounds() const { return Rect{0, 0, width_, height_}; }

    // Enlarges the surface to cover the size; new area gets the background.
    void ensureSize(std::int32_t width, std::int32_t height);

    // Everything to the background colour.
    void clear();

    // Fills the box between two corners, both inclusive, each rounded to the
    // nearest pixel (halves to even).
    void fillBox(float x1, float y1, float x2, float y2, Pixel colour);

    // Copies the source rectangle of the picture onto the destination,
    // stretched by nearest pixel with no smoothing, skipping source pixels
    // whose colour is exactly the transparent one. A non-positive size or a
    // source rectangle outside the picture copies nothing.
    void transparentBlt(const Rect& destination, const Picture& source, const Rect& sourceRect, Pixel transparent);

    // The area changed since the last call, and forgets it.
    Rect takeChanged();

    // Keeps `rgba` a copy of the whole surface in a canvas's byte order
    // (see rgbaPixels), converting only `area`.
    void copyRgba(const Rect& area, std::vector<std::uint32_t>& rgba) const;

private:
    Pixel* row(std::int32_t y)
    {
        return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    }

    std::int32_t width_;
    std::int32_t height_;
    Pixel background_;
    std::vector<Pixel> pixels_;
    Rect changed_;
};

// The pixels as words whose bytes lie red, green, blue, alpha in little-endian
// memory (a browser's and every desktop's), opaque.
std::vector<std::uint32_t> rgbaPixels(const Picture& picture);

} // namespace velmora
