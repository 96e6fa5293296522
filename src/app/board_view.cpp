#include "app/board_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

namespace velmora {

BoardView::BoardView(BoardCanvas& canvas, QWidget* parent)
    : QWidget(parent)
    , canvas_(canvas)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void BoardView::refreshChanged()
{
    const QRegion changed = canvas_.takeDirty();
    if (!changed.isEmpty() && isVisible())
        repaint(changed);
}

void BoardView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QImage& surface = canvas_.image();
    for (const QRect& area : event->region()) {
        const QRect onSurface = area.intersected(surface.rect());
        if (!onSurface.isEmpty())
            painter.drawImage(onSurface.topLeft(), surface, onSurface);
    }
    const QRegion beyond = event->region().subtracted(QRegion(surface.rect()));
    for (const QRect& area : beyond)
        painter.fillRect(area, canvas_.background());
}

void BoardView::resizeEvent(QResizeEvent* event)
{
    canvas_.ensureSize(event->size());
    QWidget::resizeEvent(event);
}

} // namespace velmora
