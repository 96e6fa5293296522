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

QDialog* makeAboutDialog(const std::function<void()>& systemInfo)
{
    initialiseAboutResources();
    auto* dialog = new QDialog(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                            | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    // Its first button, Enter, Esc and the close box all unload the dialog.
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // The program ends when its last window closes, this one included: a tool
    // window does not count by default, and closing the main window would end
    // the program under an open About.
    dialog->setAttribute(Qt::WA_QuitOnClose, true);
    QObject::connect(dialog, &QDialog::finished, dialog, &QObject::deleteLater);
    const AboutDescription& about = aboutWindow();
    dialog->setWindowTitle(QString::fromStdString(about.title));
    dialog->setFixedSize(about.clientWidth, about.clientHeight);
    dialog->move(about.left, about.top);
    // Made in their stacking order, bottom first: each child stands over the
    // ones made before it. The icon, the two buttons, the lines and the labels.
    std::vector<QWidget*> made;
    for (const ControlDescription& control : about.controls)
        made.push_back(makeControl(control, dialog));
    auto* icon = static_cast<QLabel*>(made.at(0));
    icon->setPixmap(QPixmap(QStringLiteral(":/images/about_icon.png")));
    icon->adjustSize();
    auto* ok = static_cast<QPushButton*>(made.at(1));
    ok->setDefault(true);
    ok->setFocus();
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::close);
    QObject::connect(static_cast<QPushButton*>(made.at(2)), &QPushButton::clicked, dialog, systemInfo);
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
    sprite_ = new SpriteView(boardView_);

    for (const MenuDescription& menu : window.menus) {
        QMenu* list = window_.menuBar()->addMenu(QString::fromLatin1(menu.caption));
        for (const MenuItemDescription& item : menu.items) {
            QAction* action = list->addAction(QString::fromLatin1(item.caption));
            action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
            action->setShortcutContext(Qt::WindowShortcut);
            connect(action, &QAction::triggered, this, [this, command = item.command] { game_.command(command); });
            menuItems_[item.command] = action;
        }
    }
    window_.resize(window.clientWidth, window.clientHeight + window_.menuBar()->sizeHint().height());
}

// The About: its first button closes it (so do Enter and Esc), its second
// asks for System Info. Modeless and without an owner; closing it unloads
// it, and the next opening loads it afresh.
void QtFrontEnd::showAbout()
{
    if (!about_)
        about_ = makeAboutDialog([this] { game_.command(Command::SystemInfo); });
    about_->show();
    about_->raise();
    about_->activateWindow();
}

} // namespace velmora
