#pragma once

#include <QGroupBox>

namespace velmora {

// A captioned frame drawn the same on every desktop: an etched border whose
// top line runs through the middle of the caption, broken behind it, and the
// caption itself in the frame's own colours. The inside shows the frame's
// background colour exactly, untinted by the desktop style.
class PanelFrame : public QGroupBox {
    Q_OBJECT

public:
    // Where the caption starts, from the frame's left edge.
    static constexpr int CaptionIndent = 8;

    PanelFrame(const QString& caption, QWidget* parent = nullptr);

    // The caption's box: the top line is broken across it.
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace velmora
