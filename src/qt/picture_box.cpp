#include "qt/picture_box.h"

#include "qt/board_view.h"

#include "board/checked_math.h"

#include <QPaintEvent>
#include <QPainter>

namespace velmora {

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void PictureBox::setPicture(const QImage& picture)
{
    picture_ = picture;
    if (!picture_.isNull())
        resize(picture_.width() + 2 * BorderWidth, picture_.height() + 2 * BorderWidth);
    update();
}

void PictureBox::setLeft(float left)
{
    left_ = left;
    moveToPlacement();
}

void PictureBox::setTop(float top)
{
    top_ = top;
    moveToPlacement();
}

void PictureBox::setPlacement(float left, float top, int width, int height)
{
    left_ = left;
    top_ = top;
    resize(width, height);
    moveToPlacement();
}

void PictureBox::moveToPlacement()
{
    move(roundToInt32(left_), roundToInt32(top_));
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect outer = rect();
    painter.fillRect(event->rect(), palette().color(QPalette::Button));

    // The sunken edge: shadow above and left, light below and right, twice.
    const QColor darkShadow(64, 64, 64);
    const QColor shadow(128, 128, 128);
    const QColor light(223, 223, 223);
    const QColor highlight(255, 255, 255);
    // Each edge a box one pixel thick, so that at any scale it is as thick
    // as a pixel of the picture.
    auto edge = [&painter](QRect box, const QColor& topLeft, const QColor& bottomRight) {
        painter.fillRect(QRect(box.left(), box.top(), box.width(), 1), topLeft);
        painter.fillRect(QRect(box.left(), box.top(), 1, box.height()), topLeft);
        painter.fillRect(QRect(box.left(), box.bottom(), box.width(), 1), bottomRight);
        painter.fillRect(QRect(box.right(), box.top(), 1, box.height()), bottomRight);
    };
    edge(outer, shadow, highlight);
    edge(outer.adjusted(1, 1, -1, -1), darkShadow, light);

    if (!picture_.isNull()) {
        const QRect inner = outer.adjusted(BorderWidth, BorderWidth, -BorderWidth, -BorderWidth);
        painter.setClipRect(inner);
        smoothAtFractionalScale(painter, devicePixelRatioF());
        painter.drawImage(inner.topLeft(), picture_);
    }
}

} // namespace velmora
