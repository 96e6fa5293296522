#include "render/board_canvas.h"

#include "board/checked_math.h"

#include <QPainter>

#include <algorithm>
#include <utility>
#include <vector>

namespace velmora {

BoardCanvas::BoardCanvas(QSize size, QColor background)
    : image_(size, QImage::Format_RGB32)
    , background_(background)
{
    image_.fill(background_);
    dirty_ = QRegion(image_.rect());
}

void BoardCanvas::ensureSize(QSize size)
{
    const QSize grown = image_.size().expandedTo(size);
    if (grown == image_.size())
        return;
    QImage larger(grown, QImage::Format_RGB32);
    larger.fill(background_);
    QPainter painter(&larger);
    painter.drawImage(0, 0, image_);
    painter.end();
    image_ = std::move(larger);
    dirty_ += image_.rect();
}

void BoardCanvas::clear()
{
    image_.fill(background_);
    dirty_ = QRegion(image_.rect());
}

void BoardCanvas::fillBox(float x1, float y1, float x2, float y2, QRgb colour)
{
    const int left = roundToInt32(std::min(x1, x2));
    const int right = roundToInt32(std::max(x1, x2));
    const int top = roundToInt32(std::min(y1, y2));
    const int bottom = roundToInt32(std::max(y1, y2));
    const QRect box = QRect(QPoint(left, top), QPoint(right, bottom)).intersected(image_.rect());
    if (box.isEmpty())
        return;
    const QRgb pixel = 0xFF000000u | colour;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image_.scanLine(y));
        std::fill(line + box.left(), line + box.right() + 1, pixel);
    }
    dirty_ += box;
}

void BoardCanvas::transparentBlt(const QRect& destination, const QImage& source, const QRect& sourceRect,
                                 QRgb transparent)
{
    if (destination.width() <= 0 || destination.height() <= 0 || sourceRect.width() <= 0
        || sourceRect.height() <= 0 || !source.rect().contains(sourceRect))
        return;
    const QRect visible = destination.intersected(image_.rect());
    if (visible.isEmpty())
        return;

    const QImage pixels = source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
        ? source
        : source.convertToFormat(QImage::Format_RGB32);
    const QRgb key = transparent & 0x00FFFFFFu;

    // Nearest source column for each visible destination column, computed once.
    std::vector<int> sourceColumns(static_cast<std::size_t>(visible.width()));
    for (int x = visible.left(); x <= visible.right(); ++x) {
        const long long offset = static_cast<long long>(x - destination.left()) * sourceRect.width();
        sourceColumns[static_cast<std::size_t>(x - visible.left())] =
            sourceRect.left() + static_cast<int>(offset / destination.width());
    }

    for (int y = visible.top(); y <= visible.bottom(); ++y) {
        const long long offset = static_cast<long long>(y - destination.top()) * sourceRect.height();
        const int sourceY = sourceRect.top() + static_cast<int>(offset / destination.height());
        const auto* from = reinterpret_cast<const QRgb*>(pixels.constScanLine(sourceY));
        auto* to = reinterpret_cast<QRgb*>(image_.scanLine(y)) + visible.left();
        for (const int sourceX : sourceColumns) {
            const QRgb pixel = from[sourceX];
            if ((pixel & 0x00FFFFFFu) != key)
                *to = 0xFF000000u | pixel;
            ++to;
        }
    }
    dirty_ += visible;
}

QRegion BoardCanvas::takeDirty()
{
    return std::exchange(dirty_, QRegion());
}

} // namespace velmora
