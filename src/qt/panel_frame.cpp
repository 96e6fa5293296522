#include "qt/panel_frame.h"

#include "game/window_description.h"

#include <QPainter>

namespace velmora {

PanelFrame::PanelFrame(const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent)
{
    setAutoFillBackground(true);
}

QRect PanelFrame::captionRect() const
{
    const QFontMetrics metrics = fontMetrics();
    // A blank's width either side keeps the broken line clear of the letters.
    const int margin = metrics.horizontalAdvance(QLatin1Char(' ')) / 2;
    return QRect(CaptionIndent, 0, metrics.horizontalAdvance(title()) + 2 * margin, metrics.height());
}

void PanelFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect caption = captionRect();
    const int lineY = caption.height() / 2;
    const QRect frame = rect().adjusted(0, lineY, 0, 0);

    painter.setPen(QColor::fromRgb(EdgeShadow));
    painter.drawRect(frame.adjusted(0, 0, -2, -2));
    painter.setPen(QColor::fromRgb(EdgeHighlight));
    painter.drawRect(frame.adjusted(1, 1, -1, -1));

    painter.fillRect(caption, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption, Qt::AlignCenter | Qt::TextShowMnemonic, title());
}

} // namespace velmora
