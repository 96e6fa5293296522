#include "qt/widgets.h"

#include "game/window_description.h"
#include "render/bevel.h"

#include <QAccessibleWidget>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace velmora {

namespace {

// At a whole scale factor each pixel of the board becomes a square of screen
// pixels, exactly. At 1.5 nearest-pixel scaling would draw some rows and
// columns twice and others once, so pegs and disk outlines come out uneven;
// there the image is filtered instead.
void smoothAtFractionalScale(QPainter& painter, qreal scale)
{
    if (scale != std::floor(scale))
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
}

// The picture's pixels as an image, without a copy: valid while it lives.
QImage imageOf(const Picture& picture)
{
    return QImage(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width, picture.height,
                  static_cast<qsizetype>(picture.width) * 4, QImage::Format_RGB32);
}

} // namespace

BoardView::BoardView(Surface& surface, QWidget* parent)
    : QWidget(parent)
    , surface_(surface)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void BoardView::showChanged(const Rect& changed)
{
    if (isVisible())
        repaint(QRect(changed.left, changed.top, changed.width, changed.height));
}

void BoardView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    smoothAtFractionalScale(painter, devicePixelRatioF());
    // The surface's own pixels, shown without a copy.
    const QImage image(reinterpret_cast<const uchar*>(surface_.pixels()), surface_.width(), surface_.height(),
                       static_cast<qsizetype>(surface_.width()) * 4, QImage::Format_RGB32);
    for (const QRect& area : event->region()) {
        const QRect onSurface = area.intersected(image.rect());
        if (!onSurface.isEmpty())
            painter.drawImage(onSurface.topLeft(), image, onSurface);
    }
}

void BoardView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit pressed(event->position());
}

namespace {

QAccessibleInterface* announcerInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String(Announcer::staticMetaObject.className()) && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget* parent)
    : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(announcerInterface);
        return true;
    }();
    (void)installed;
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
    setVisible(false);
}

void Announcer::announce(const QString& message)
{
    setAccessibleName(message);
    setVisible(false);
    setVisible(true);
}

SpriteView::SpriteView(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);  // a press on it is the board's
    setFocusPolicy(Qt::NoFocus);
    setVisible(false);
}

void SpriteView::showImage(const Picture& image, int x, int y)
{
    image_ = imageOf(image).copy();
    setGeometry(x, y, image.width, image.height);
    setVisible(true);
    repaint();
}

void SpriteView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    smoothAtFractionalScale(painter, devicePixelRatioF());
    painter.drawImage(0, 0, image_);
}

FaceButton::FaceButton(const QString& caption, Pixel face, QWidget* parent)
    : QPushButton(caption, parent)
    , face_(face)
{
}

void FaceButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    smoothAtFractionalScale(painter, devicePixelRatioF());
    const Picture face = buttonFace(width(), height(), face_, isDown(), hasFocus());
    painter.drawImage(0, 0, imageOf(face));
    const int shift = isDown() ? 1 : 0;
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(rect().translated(shift, shift), Qt::AlignCenter | Qt::TextShowMnemonic, text());
}

PanelFrame::PanelFrame(const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent)
{
    setAutoFillBackground(true);
}

void PanelFrame::paintEvent(QPaintEvent*)
{
    // The caption's box, a blank's width wider either side to keep the
    // broken line clear of the letters, indented from the frame's left edge.
    const QFontMetrics metrics = fontMetrics();
    const int margin = metrics.horizontalAdvance(QLatin1Char(' ')) / 2;
    const QRect caption(8, 0, metrics.horizontalAdvance(title()) + 2 * margin, metrics.height());
    const QRect frame = rect().adjusted(0, caption.height() / 2, 0, 0);

    QPainter painter(this);
    painter.setPen(QColor::fromRgb(EdgeShadow));
    painter.drawRect(frame.adjusted(0, 0, -2, -2));
    painter.setPen(QColor::fromRgb(EdgeHighlight));
    painter.drawRect(frame.adjusted(1, 1, -1, -1));

    painter.fillRect(caption, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter | Qt::TextShowMnemonic, title());
}

} // namespace velmora
