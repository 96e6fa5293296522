#pragma once

#include "render/surface.h"

#include <cstdint>

namespace velmora {

// The two-pixel edges of the classic desktop look, in its fixed colours: a
// raised edge (light above and left, dark below and right) stands out, a
// sunken one (the other way round) is set in. Drawn inside the surface's
// own border.
void drawEdge(Surface& box, bool raised);

// A button in the graphical style as it stands: its face in the colour
// inside a raised edge, sunken while pressed, and a dotted frame inside the
// edge while it has the keyboard. The caption is the front end's to write
// over it, centred, one pixel right and down while pressed.
Picture buttonFace(std::int32_t width, std::int32_t height, Pixel face, bool pressed, bool focused);

} // namespace velmora
