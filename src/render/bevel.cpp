#include "render/bevel.h"

namespace velmora {

namespace {

constexpr Pixel Highlight = White;
constexpr Pixel Light = rgb(223, 223, 223);
constexpr Pixel Shadow = Grey;
constexpr Pixel DarkShadow = rgb(64, 64, 64);
constexpr Pixel Dots = Black;

// One line of the edge, inset pixels from the border.
void edgeLine(Surface& box, std::int32_t inset, Pixel topLeft, Pixel bottomRight)
{
    const auto left = static_cast<float>(inset);
    const auto top = static_cast<float>(inset);
    const auto right = static_cast<float>(box.width() - 1 - inset);
    const auto bottom = static_cast<float>(box.height() - 1 - inset);
    box.fillBox(left, top, right, top, topLeft);
    box.fillBox(left, top, left, bottom, topLeft);
    box.fillBox(left, bottom, right, bottom, bottomRight);
    box.fillBox(right, top, right, bottom, bottomRight);
}

} // namespace

void drawEdge(Surface& box, bool raised)
{
    if (raised) {
        edgeLine(box, 0, Highlight, DarkShadow);
        edgeLine(box, 1, Light, Shadow);
    } else {
        edgeLine(box, 0, Shadow, Highlight);
        edgeLine(box, 1, DarkShadow, Light);
    }
}

Picture buttonFace(std::int32_t width, std::int32_t height, Pixel face, bool pressed, bool focused)
{
    Surface box(width, height, face);
    drawEdge(box, !pressed);
    if (focused) {
        // Every other pixel of a frame one pixel inside the edge.
        const std::int32_t right = width - 5;
        const std::int32_t bottom = height - 5;
        for (std::int32_t x = 4; x <= right; x += 2) {
            box.fillBox(static_cast<float>(x), 4, static_cast<float>(x), 4, Dots);
            box.fillBox(static_cast<float>(x), static_cast<float>(bottom), static_cast<float>(x),
                        static_cast<float>(bottom), Dots);
        }
        for (std::int32_t y = 4; y <= bottom; y += 2) {
            box.fillBox(4, static_cast<float>(y), 4, static_cast<float>(y), Dots);
            box.fillBox(static_cast<float>(right), static_cast<float>(y), static_cast<float>(right),
                        static_cast<float>(y), Dots);
        }
    }
    return box.picture();
}

} // namespace velmora
