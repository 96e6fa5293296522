#include "qt/images.h"

namespace velmora {

QImage toImage(const Picture& picture)
{
    if (picture.empty())
        return QImage();
    return QImage(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width, picture.height,
                  static_cast<qsizetype>(picture.width) * 4, QImage::Format_RGB32)
        .copy();
}

} // namespace velmora
