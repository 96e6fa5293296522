#include "qt/qt_front_end.h"

#include "game/game.h"
#include "game/window_description.h"
#include "qt/widgets.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>

#include <limits>
#include <utility>

static void initialiseAboutResources()
{
    Q_INIT_RESOURCE(about);
}

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

// A control of the game's windows as a widget of the parent, placed, with
// its font, colours, alignment and name for screen readers.
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
        // With a face of its own, the graphical style.
        auto* button = control.face ? new FaceButton(caption, *control.face, parent) : new QPushButton(caption, parent);
        button->setAutoDefault(false);
        made = button;
        faceRole = QPalette::Button;
        textRole = QPalette::ButtonText;
        break;
    }
    case ControlKind::TextBox: {
        auto* box = new QLineEdit(caption, parent);
        box->setMaxLength(std::numeric_limits<int>::max());
        box->setAlignment(Qt::AlignLeft | Qt::AlignTop);  // as the Windows text box shows it
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

// Each button gives its command; the default one Enter presses.
QDialog* makeAboutDialog(const std::function<void(Command)>& command)
{
    initialiseAboutResources();
    auto* dialog = new QDialog(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                            | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    // Closed, it is unloaded.
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    const AboutDescription& about = aboutWindow();
    dialog->setWindowTitle(QString::fromStdString(about.title));
    dialog->setFixedSize(about.clientWidth, about.clientHeight);
    dialog->move(about.left, about.top);
    // Made in their stacking order, bottom first: each child stands over the
    // ones made before it.
    for (const ControlDescription& control : about.controls) {
        QWidget* made = makeControl(control, dialog);
        if (control.kind == ControlKind::Picture) {
            auto* icon = static_cast<QLabel*>(made);
            icon->setPixmap(QPixmap(QStringLiteral(":/images/about_icon.png")));
            icon->adjustSize();
        } else if (control.command) {
            auto* button = static_cast<QPushButton*>(made);
            QObject::connect(button, &QPushButton::clicked, dialog, [command, given = *control.command] { command(given); });
            if (control.isDefault) {
                button->setDefault(true);
                button->setFocus();
            }
        }
    }
    return dialog;
}

} // namespace

void QtFrontEnd::buildMainWindow()
{
    const MainWindowDescription& window = mainWindow();
    window_.setWindowTitle(QString::fromLatin1(window.title));
    boardView_ = new BoardView(game_.surface(), &window_);
    boardView_->setAccessibleName(QString::fromLatin1(window.boardName));
    window_.setCentralWidget(boardView_);
    connect(boardView_, &BoardView::pressed, this, [this](QPointF at) { game_.boardPressed(at.x(), at.y()); });
    // The board has the keyboard whenever no control has it, as the window
    // opens and when the window gets the keyboard back from a box or the
    // About: a screen reader speaks the changes of the object with the
    // keyboard, and the board in words changes after every move. Tab and a
    // click still pass it by.
    boardView_->setFocus();

    // A label has no window of its own: the read-out lies under the panel
    // and the sprite, which are made after it.
    readOut_ = static_cast<QLabel*>(makeControl(window.readout, boardView_));
    optionsPanel_ = static_cast<PanelFrame*>(makeControl(window.panel, boardView_));
    for (const ControlDescription& control : window.panelControls) {
        QWidget* made = makeControl(control, optionsPanel_);
        if (control.command)
            connect(static_cast<QPushButton*>(made), &QPushButton::clicked, this,
                    [this, command = *control.command] { game_.command(command); });
        if (control.box)
            optionBoxes_[*control.box] = static_cast<QLineEdit*>(made);
    }
    optionsPanel_->setVisible(false);
    optionsPanel_->setAttribute(Qt::WA_NoMousePropagation);  // a press on the panel is not the board's
    sprite_ = new SpriteView(boardView_);
    announcer_ = new Announcer(boardView_);

    for (const MenuDescription& menu : window.menus) {
        QMenu* list = window_.menuBar()->addMenu(QString::fromLatin1(menu.caption));
        for (const MenuItemDescription& item : menu.items) {
            QAction* action = list->addAction(QString::fromLatin1(item.caption));
            action->setShortcut(QKeySequence(QString::fromStdString(shortcutText(item))));
            action->setShortcutContext(Qt::WindowShortcut);
            connect(action, &QAction::triggered, this, [this, command = item.command] { game_.command(command); });
            menuItems_[item.command] = action;
        }
    }
    window_.resize(window.clientWidth, window.clientHeight + window_.menuBar()->sizeHint().height());
}

// The About: modeless and without an owner. Its OK, Esc and close box ask
// the game (see eventFilter), which unloads it.
void QtFrontEnd::openAbout()
{
    about_ = makeAboutDialog([this](Command command) { game_.command(command); });
    focusAbout();
}

void QtFrontEnd::focusAbout()
{
    if (!about_)
        return;
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void QtFrontEnd::closeAbout()
{
    // No longer the About the filter holds open.
    if (QDialog* about = std::exchange(about_, nullptr))
        about->close();
}

} // namespace velmora
