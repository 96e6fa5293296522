#pragma once

#include "render/render_target.h"
#include "render/surface.h"

namespace velmora {

// The three pictures of the board, each shown in a box with a 2-pixel border
// that sizes itself to its picture: the board disk, copied stretched for
// every disk; the cursor; the disk in hand, which the cursor sprite shows
// while a disk is lifted.
struct BoardPictures {
    Picture boardDisk;
    Picture cursor;
    Picture diskInHand;

    static float boxSize(std::int32_t pictureSize) { return static_cast<float>(pictureSize + 2 * PictureBoxBorder); }
};

// The board's pictures, compiled into the program from assets/images.
BoardPictures boardPictures();

} // namespace velmora
