#pragma once

#include "game/board_pictures.h"

#include <QImage>

namespace velmora {

// The board's pictures, from the images compiled into the program.
BoardPictures loadBoardPictures();

// A picture as a Qt image (a copy).
QImage toImage(const Picture& picture);

} // namespace velmora
