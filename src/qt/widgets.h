#pragma once

#include "render/surface.h"

#include <QGroupBox>
#include <QImage>
#include <QPushButton>
#include <QWidget>

namespace velmora {

// The client area of the main window: shows the game's drawing surface, and
// the window's controls stand above it as children. Covering, minimising,
// resizing or maximising repaints from the surface without any drawing by
// the game; the surface grows with the view before it is painted. The
// surface must outlive the view.
class BoardView : public QWidget {
    Q_OBJECT

public:
    explicit BoardView(Surface& surface, QWidget* parent = nullptr);

    // Puts the changed area of the surface on the screen before returning.
    void showChanged(const Rect& changed);

signals:
    // A press of the main button (or a tap) on the board, the sprite or the
    // read-out, in the board's pixels; the panel keeps its own.
    void pressed(QPointF at);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    Surface& surface_;
};

// What a screen reader is to say at once, wherever the keyboard is: an
// object of the notification role, invisible and taking nothing, shown
// afresh with each message, which the reader speaks as it appears.
class Announcer : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget* parent);
    void announce(const QString& message);
};

// The cursor sprite as the game drew it, standing over the board's controls.
class SpriteView : public QWidget {
    Q_OBJECT

public:
    explicit SpriteView(QWidget* parent);
    // Shows the image with its top left corner at (x, y), painted now.
    void showImage(const Picture& image, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

// A button in the graphical style: the face the game draws (its colour, the
// raised or sunken edge, the dotted frame while it has the keyboard) and the
// caption centred over it, as on every desktop.
class FaceButton : public QPushButton {
    Q_OBJECT

public:
    FaceButton(const QString& caption, Pixel face, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Pixel face_;
};

// A captioned frame drawn the same on every desktop: an etched border whose
// top line runs through the middle of the caption, broken behind it, and the
// caption itself in the frame's own colours. The inside shows the frame's
// background colour exactly, untinted by the desktop style.
class PanelFrame : public QGroupBox {
    Q_OBJECT

public:
    PanelFrame(const QString& caption, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace velmora
