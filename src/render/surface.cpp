#include "render/surface.h"

#include "board/checked_math.h"

#include <algorithm>
#include <utility>

namespace velmora {

namespace {

constexpr Pixel ColourBits = 0x00FFFFFFu;

} // namespace

bool Rect::contains(const Rect& other) const
{
    return !other.empty() && other.left >= left && other.top >= top && other.right() <= right()
        && other.bottom() <= bottom();
}

Rect Rect::intersected(const Rect& other) const
{
    const std::int32_t l = std::max(left, other.left);
    const std::int32_t t = std::max(top, other.top);
    const std::int32_t r = std::min(right(), other.right());
    const std::int32_t b = std::min(bottom(), other.bottom());
    return r > l && b > t ? Rect{l, t, r - l, b - t} : Rect{};
}

Rect Rect::united(const Rect& other) const
{
    if (other.empty())
        return *this;
    if (empty())
        return other;
    const std::int32_t l = std::min(left, other.left);
    const std::int32_t t = std::min(top, other.top);
    return Rect{l, t, std::max(right(), other.right()) - l, std::max(bottom(), other.bottom()) - t};
}

Surface::Surface(std::int32_t width, std::int32_t height, Pixel background)
    : width_(std::max(width, 0))
    , height_(std::max(height, 0))
    , background_(background | 0xFF000000u)
    , pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), background_)
    , changed_(bounds())
{
}

Picture Surface::picture() const
{
    return Picture{width_, height_, pixels_};
}

void Surface::ensureSize(std::int32_t width, std::int32_t height)
{
    const std::int32_t grownWidth = std::max(width_, width);
    const std::int32_t grownHeight = std::max(height_, height);
    if (grownWidth == width_ && grownHeight == height_)
        return;
    std::vector<Pixel> grown(static_cast<std::size_t>(grownWidth) * static_cast<std::size_t>(grownHeight),
                             background_);
    for (std::int32_t y = 0; y < height_; ++y)
        std::copy_n(row(y), width_, grown.begin() + static_cast<std::ptrdiff_t>(y) * grownWidth);
    pixels_ = std::move(grown);
    width_ = grownWidth;
    height_ = grownHeight;
    changed_ = bounds();
}

void Surface::clear()
{
    std::fill(pixels_.begin(), pixels_.end(), background_);
    changed_ = bounds();
}

void Surface::fillBox(float x1, float y1, float x2, float y2, Pixel colour)
{
    const std::int32_t left = roundToInt32(std::min(x1, x2));
    const std::int32_t right = roundToInt32(std::max(x1, x2));
    const std::int32_t top = roundToInt32(std::min(y1, y2));
    const std::int32_t bottom = roundToInt32(std::max(y1, y2));
    const Rect box = Rect{left, top, right - left + 1, bottom - top + 1}.intersected(bounds());
    if (box.empty())
        return;
    const Pixel pixel = 0xFF000000u | colour;
    for (std::int32_t y = box.top; y < box.bottom(); ++y)
        std::fill(row(y) + box.left, row(y) + box.right(), pixel);
    changed_ = changed_.united(box);
}

void Surface::transparentBlt(const Rect& destination, const Picture& source, const Rect& sourceRect,
                             Pixel transparent)
{
    if (destination.empty() || !Rect{0, 0, source.width, source.height}.contains(sourceRect))
        return;
    const Rect visible = destination.intersected(bounds());
    if (visible.empty())
        return;
    const Pixel key = transparent & ColourBits;

    // The nearest source column of each visible destination column, once.
    std::vector<std::int32_t> columns(static_cast<std::size_t>(visible.width));
    for (std::int32_t x = visible.left; x < visible.right(); ++x) {
        const long long offset = static_cast<long long>(x - destination.left) * sourceRect.width;
        columns[static_cast<std::size_t>(x - visible.left)] =
            sourceRect.left + static_cast<std::int32_t>(offset / destination.width);
    }
    for (std::int32_t y = visible.top; y < visible.bottom(); ++y) {
        const long long offset = static_cast<long long>(y - destination.top) * sourceRect.height;
        const std::int32_t sourceY = sourceRect.top + static_cast<std::int32_t>(offset / destination.height);
        const Pixel* from = source.pixels.data() + static_cast<std::size_t>(sourceY) * static_cast<std::size_t>(source.width);
        Pixel* to = row(y) + visible.left;
        for (const std::int32_t sourceX : columns) {
            const Pixel pixel = from[sourceX] & ColourBits;
            if (pixel != key)
                *to = 0xFF000000u | pixel;
            ++to;
        }
    }
    changed_ = changed_.united(visible);
}

Rect Surface::takeChanged()
{
    return std::exchange(changed_, Rect{});
}

namespace {

std::uint32_t rgbaPixel(Pixel pixel)
{
    return 0xFF000000u | (pixel & 0xFFu) << 16 | (pixel & 0xFF00u) | (pixel >> 16 & 0xFFu);
}

} // namespace

void Surface::copyRgba(const Rect& area, std::vector<std::uint32_t>& rgba) const
{
    rgba.resize(pixels_.size());
    const Rect inside = area.intersected(bounds());
    for (std::int32_t y = inside.top; y < inside.bottom(); ++y) {
        const std::size_t start = static_cast<std::size_t>(y) * static_cast<std::size_t>(width_)
            + static_cast<std::size_t>(inside.left);
        std::transform(pixels_.begin() + static_cast<std::ptrdiff_t>(start),
                       pixels_.begin() + static_cast<std::ptrdiff_t>(start) + inside.width,
                       rgba.begin() + static_cast<std::ptrdiff_t>(start), rgbaPixel);
    }
}

std::vector<std::uint32_t> rgbaPixels(const Picture& picture)
{
    std::vector<std::uint32_t> rgba(picture.pixels.size());
    std::transform(picture.pixels.begin(), picture.pixels.end(), rgba.begin(), rgbaPixel);
    return rgba;
}

} // namespace velmora
