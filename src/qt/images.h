#pragma once

#include "game/board_pictures.h"

#include <QImage>

namespace velmora {

// A picture as a Qt image (a copy).
QImage toImage(const Picture& picture);

} // namespace velmora
