#pragma once

#include "game/board_pictures.h"

#include <windows.h>

namespace velmora {

// The board's pictures from the program's bitmap resources: the same files
// as the Linux build's, so the board comes out the same pixel for pixel.
BoardPictures loadBoardPictures(HINSTANCE instance);

} // namespace velmora
