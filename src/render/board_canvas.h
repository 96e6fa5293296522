#pragma once

#include <QColor>
#include <QImage>
#include <QRegion>
#include <QSize>

#include <cstdint>

namespace velmora {

// The window's persistent drawing surface: an image of the client area that
// keeps what is drawn until the next clear. Drawing only changes the image and
// records the changed area; the window shows the image and repaints just that
// area when it is refreshed, so a refresh after each disk stays cheap.
//
// The surface grows with the window but never shrinks, so a board hidden by a
// small window is still there when the window is enlarged again.
class BoardCanvas {
public:
    BoardCanvas(QSize size, QColor background);

    const QImage& image() const { return image_; }
    QColor background() const { return background_; }

    // Enlarges the surface to cover size; new area gets the background.
    void ensureSize(QSize size);

    // Clears everything to the background colour.
    void clear();

    // Fills the box between two corners, both inclusive, each rounded to the
    // nearest pixel (halves to even).
    void fillBox(float x1, float y1, float x2, float y2, QRgb colour);

    // Copies sourceRect of source onto the destination rectangle, stretched
    // by nearest pixel with no smoothing, skipping source pixels exactly equal
    // to transparent. A non-positive size or a source rectangle outside the
    // source image copies nothing.
    void transparentBlt(const QRect& destination, const QImage& source, const QRect& sourceRect,
                        QRgb transparent);

    // The area changed since the last call.
    QRegion takeDirty();

private:
    QImage image_;
    QColor background_;
    QRegion dirty_;
};

} // namespace velmora
