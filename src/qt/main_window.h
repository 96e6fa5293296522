#pragma once

#include "render/surface.h"

#include <QMainWindow>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora {

class BoardView;
class PanelFrame;
class SpriteView;

// The main window, titled "Form1": the board with the cursor sprite and the
// read-out standing on it, the options panel (hidden until opened), and the
// menus "Joc" and "Ajutor" with their shortcut keys. Widgets only: their
// geometry, fonts and colours. The front end brings them to life.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    static constexpr int ClientWidth = 1002;
    static constexpr int ClientHeight = 628;

    // The surface must outlive the window.
    explicit MainWindow(Surface& surface, QWidget* parent = nullptr);

    BoardView* boardView = nullptr;
    SpriteView* sprite = nullptr;
    QLabel* readOut = nullptr;

    PanelFrame* optionsPanel = nullptr;
    QLabel* timeCaption = nullptr;
    QLineEdit* timeLimitBox = nullptr;
    QPushButton* timeUpButton = nullptr;
    QPushButton* timeDownButton = nullptr;
    QLabel* levelCaption = nullptr;
    QLineEdit* diskCountBox = nullptr;
    QPushButton* levelUpButton = nullptr;
    QPushButton* levelDownButton = nullptr;
    QPushButton* applyButton = nullptr;

    QAction* startAction = nullptr;
    QAction* optionsAction = nullptr;
    QAction* exitAction = nullptr;
    QAction* aboutAction = nullptr;

private:
    void createPanel();
    void createMenus();
};

// The program's controls ask for "MS Sans Serif"; where it is missing, any
// plain sans-serif face of the same size serves.
QFont controlFont(qreal points);

} // namespace velmora
