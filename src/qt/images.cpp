#include "qt/images.h"

#include <cstring>

// The images are compiled into a static library, which must register them
// itself.
static void initialiseResources()
{
    Q_INIT_RESOURCE(velmora);
}

namespace velmora {

namespace {

Picture load(const QString& resource)
{
    const QImage image = QImage(resource).convertToFormat(QImage::Format_RGB32);
    Picture picture;
    picture.width = image.width();
    picture.height = image.height();
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height));
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(picture.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width),
                    image.constScanLine(y), static_cast<std::size_t>(picture.width) * sizeof(Pixel));
    return picture;
}

} // namespace

BoardPictures loadBoardPictures()
{
    initialiseResources();
    return BoardPictures{load(QStringLiteral(":/images/board_disk.bmp")), load(QStringLiteral(":/images/cursor.bmp")),
                         load(QStringLiteral(":/images/disk_in_hand.bmp"))};
}

QImage toImage(const Picture& picture)
{
    if (picture.empty())
        return QImage();
    return QImage(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width, picture.height,
                  static_cast<qsizetype>(picture.width) * 4, QImage::Format_RGB32)
        .copy();
}

} // namespace velmora
