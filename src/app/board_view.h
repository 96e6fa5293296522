#pragma once

#include "render/board_canvas.h"

#include <QWidget>

namespace velmora {

// The client area of the main window: shows the persistent drawing surface,
// and the window's controls stand above it as children. Covering, minimising,
// resizing or maximising repaints from the surface without any drawing by
// the game; beyond the surface the background colour shows.
class BoardView : public QWidget {
    Q_OBJECT

public:
    BoardView(BoardCanvas& canvas, QWidget* parent = nullptr);

    // Puts what changed on the surface since the last refresh on the screen
    // before returning.
    void refreshChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    BoardCanvas& canvas_;
};

} // namespace velmora
