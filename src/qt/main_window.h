#pragma once

#include "game/front_end.h"
#include "render/surface.h"

#include <QMainWindow>

#include <functional>
#include <map>

class QAction;
class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velmora {

class BoardView;
class PanelFrame;
class SpriteView;
struct ControlDescription;

// The main window as the game describes it: the board with the cursor sprite
// and the read-out standing on it, the options panel (hidden until opened),
// and the menus with their shortcut keys. Widgets only; the front end brings
// them to life.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // The surface must outlive the window.
    explicit MainWindow(Surface& surface, QWidget* parent = nullptr);

    BoardView* boardView = nullptr;
    SpriteView* sprite = nullptr;
    QLabel* readOut = nullptr;
    PanelFrame* optionsPanel = nullptr;
    std::map<Command, QAction*> menuItems;
    std::map<Command, QPushButton*> buttons;
    std::map<OptionBox, QLineEdit*> optionBoxes;
};

// A control of the game's windows as a widget of the parent, placed, with
// its font, colours, alignment and name for screen readers.
QWidget* makeControl(const ControlDescription& control, QWidget* parent);

// The About dialog as the game describes it: its first button closes it (so
// do Enter and Esc), its second runs systemInfo. Modeless and without an
// owner; it reads no game state. Closing it unloads it: the next opening
// loads it afresh.
QDialog* makeAboutDialog(const std::function<void()>& systemInfo);

} // namespace velmora
