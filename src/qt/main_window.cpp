#include "qt/main_window.h"

#include "game/window_description.h"
#include "qt/board_view.h"
#include "qt/panel_frame.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include <limits>

namespace velmora {

namespace {

QColor colour(Pixel pixel)
{
    return QColor::fromRgb(pixel);
}

QFont controlFont(float points)
{
    QFont font(QString::fromLatin1(ControlFace));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    font.setPointSizeF(points);
    return font;
}

} // namespace

QWidget* makeControl(const ControlDescription& control, QWidget* parent)
{
    const QString caption = QString::fromStdString(control.caption);
    QWidget* made = nullptr;
    QPalette::ColorRole faceRole = QPalette::Window;
    QPalette::ColorRole textRole = QPalette::WindowText;
    switch (control.kind) {
    case ControlKind::Frame:
        made = new PanelFrame(caption, parent);
        break;
    case ControlKind::Button: {
        auto* button = new QPushButton(caption, parent);
        button->setAutoDefault(false);
        made = button;
        faceRole = QPalette::Button;
        textRole = QPalette::ButtonText;
        break;
    }
    case ControlKind::TextBox: {
        auto* box = new QLineEdit(caption, parent);
        box->setMaxLength(std::numeric_limits<int>::max());
        made = box;
        faceRole = QPalette::Base;
        textRole = QPalette::Text;
        break;
    }
    case ControlKind::Label:
    case ControlKind::Picture:
    case ControlKind::Line: {
        auto* label = new QLabel(caption, parent);
        label->setAlignment((control.align == TextAlign::Centre ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
        label->setWordWrap(control.wraps);
        if (control.kind == ControlKind::Picture) {
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            label->setLineWidth(2);
        }
        made = label;
        break;
    }
    }
    made->setGeometry(control.rect.left, control.rect.top, control.rect.width, control.rect.height);
    if (control.points > 0)
        made->setFont(controlFont(control.points));
    QPalette palette = made->palette();
    if (control.face) {
        palette.setColor(faceRole, colour(*control.face));
        made->setAutoFillBackground(control.kind != ControlKind::Button);
    }
    if (control.text)
        palette.setColor(textRole, colour(*control.text));
    made->setPalette(palette);
    if (*control.accessibleName)
        made->setAccessibleName(QString::fromLatin1(control.accessibleName));
    if (!control.takesFocus)
        made->setFocusPolicy(Qt::NoFocus);
    return made;
}

MainWindow::MainWindow(Surface& surface, QWidget* parent)
    : QMainWindow(parent)
{
    const MainWindowDescription& window = mainWindow();
    setWindowTitle(QString::fromLatin1(window.title));
    boardView = new BoardView(surface, this);
    boardView->setAccessibleName(QString::fromLatin1(window.boardName));
    setCentralWidget(boardView);

    // A label has no window of its own: the read-out lies under the panel
    // and the sprite, which are made after it.
    readOut = static_cast<QLabel*>(makeControl(window.readout, boardView));
    optionsPanel = static_cast<PanelFrame*>(makeControl(window.panel, boardView));
    for (const ControlDescription& control : window.panelControls) {
        QWidget* made = makeControl(control, optionsPanel);
        if (control.command)
            buttons[*control.command] = static_cast<QPushButton*>(made);
        if (control.box)
            optionBoxes[*control.box] = static_cast<QLineEdit*>(made);
    }
    optionsPanel->setVisible(false);
    sprite = new SpriteView(boardView);

    for (const MenuDescription& menu : window.menus) {
        QMenu* list = menuBar()->addMenu(QString::fromLatin1(menu.caption));
        for (const MenuItemDescription& item : menu.items) {
            QAction* action = list->addAction(QString::fromLatin1(item.caption));
            action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
            action->setShortcutContext(Qt::WindowShortcut);
            menuItems[item.command] = action;
        }
    }
    resize(window.clientWidth, window.clientHeight + menuBar()->sizeHint().height());
}

} // namespace velmora
