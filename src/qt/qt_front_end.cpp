#include "qt/qt_front_end.h"

#include "game/game.h"
#include "qt/widgets.h"
#include "sound/cue_table.h"
#include "sound/lazy_sound_player.h"
#include "board/keyboard.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QResizeEvent>

namespace velmora {

namespace {

// The program's own folder, read afresh each time: where the cues and the
// sound backend lie.
std::string programFolder()
{
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
}

// The key as the game's key handler knows it: the Windows virtual-key code
// of Space, Left or Right, the only keys it acts on, and 0 for others.
std::int16_t keyCode(int key)
{
    return key == Qt::Key_Space  ? KeyCodeSpace
           : key == Qt::Key_Left ? KeyCodeLeft
           : key == Qt::Key_Right ? KeyCodeRight
                                  : 0;
}



} // namespace

QtFrontEnd::QtFrontEnd(Game& game)
    : game_(game)
{
    buildMainWindow();

    // A cue that cannot be played gives the desktop's beep instead.
    player_ = std::make_unique<LazySoundPlayer>(programFolder, [] { QApplication::beep(); });

    clock_.setInterval(Game::TickInterval);
    connect(&clock_, &QTimer::timeout, this, [this] { game_.tick(); });

    // The cue the game waits for: asked after every few milliseconds whether
    // it still sounds.
    cueWait_.setInterval(HeldCueWatch);
    connect(&cueWait_, &QTimer::timeout, this, [this] {
        if (player_->holding())
            return;
        cueWait_.stop();
        game_.cueEnded();
    });

    // Three quiet seconds after a cue the sound device is let go, so that an
    // idle game does no work at all.
    soundRest_.setSingleShot(true);
    soundRest_.setInterval(3000);
    connect(&soundRest_, &QTimer::timeout, this, [this] {
        if (player_->rest())
            soundRest_.start();
    });

    qApp->installEventFilter(this);
    QAccessible::installActivationObserver(this);
}

QtFrontEnd::~QtFrontEnd()
{
    QAccessible::removeActivationObserver(this);
    qApp->removeEventFilter(this);
    delete about_;
}

bool QtFrontEnd::eventFilter(QObject* watched, QEvent* event)
{
    // Closing the window by its frame, or the About by its frame: the game
    // says whether it closes (and whether the program ends with it).
    if (event->type() == QEvent::Close && watched == &window_) {
        if (game_.closeWindow())
            return false;
        event->ignore();
        return true;
    }
    if (event->type() == QEvent::Close && watched == about_) {
        event->ignore();
        game_.command(Command::CloseAbout);
        return true;
    }
    // The surface grows with the board's view.
    if (event->type() == QEvent::Resize && watched == boardView_) {
        const QSize size = static_cast<QResizeEvent*>(event)->size();
        game_.resizeClient(size.width(), size.height());
        return false;
    }
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    const auto* key = static_cast<const QKeyEvent*>(event);
    // The About's Esc is its OK.
    if (about_ && widget->window() == about_ && key->key() == Qt::Key_Escape) {
        game_.command(Command::CloseAbout);
        return true;
    }
    if (widget->window() != &window_)
        return false;
    // A key travels from the focused control up to the window: it is taken
    // once, where it first arrives.
    QWidget* focused = QApplication::focusWidget();
    if (widget != (focused && focused->window() == &window_ ? focused : &window_))
        return false;
    game_.keyDown(keyCode(key->key()));
    // Not consumed: the focused control gets the key too.
    return false;
}

void QtFrontEnd::describeBoard(const std::string& words)
{
    boardView_->setAccessibleDescription(QString::fromStdString(words));
    announcer_->announce(QString::fromStdString(words));
}

void QtFrontEnd::accessibilityActiveChanged(bool active)
{
    game_.setScreenReader(active);
}

void QtFrontEnd::setCommandEnabled(Command command, bool enabled)
{
    menuItems_.at(command)->setEnabled(enabled);
}

QWidget* QtFrontEnd::boardView() const
{
    return boardView_;
}

void QtFrontEnd::setPanelVisible(bool visible)
{
    optionsPanel_->setVisible(visible);
    QWidget* focused = QApplication::focusWidget();
    // Hidden, Qt would leave the keyboard on the hidden Ok, and the next Space
    // would press Ok again and reset the board: the board takes it back.
    if (!visible && focused && optionsPanel_->isAncestorOf(focused))
        boardView_->setFocus();
}

std::string QtFrontEnd::optionText(OptionBox box) const
{
    return textBox(box)->text().toStdString();
}

void QtFrontEnd::setOptionText(OptionBox box, const std::string& text)
{
    textBox(box)->setText(QString::fromStdString(text));
}

void QtFrontEnd::selectOptionText(OptionBox box)
{
    textBox(box)->setFocus();
    textBox(box)->selectAll();
}

void QtFrontEnd::setReadout(const std::string& text)
{
    readOut_->setText(QString::fromStdString(text));
    readOut_->adjustSize();
}

void QtFrontEnd::placeReadout(std::int32_t left, std::int32_t top)
{
    readOut_->move(left, top);
}

void QtFrontEnd::showSprite(const Picture& image, std::int32_t x, std::int32_t y)
{
    sprite_->showImage(image, x, y);
}

void QtFrontEnd::showSurface(const Rect& changed)
{
    boardView_->showChanged(changed);
}

// Over the program's window in front (the About, for its own message; a
// box under it), which gets the keyboard back when it closes; modal to
// every window of the program. The game hears when it is closed.
void QtFrontEnd::showMessage(const std::string& prompt, const std::string& title, MessageIcon icon)
{
    QWidget* active = QApplication::activeWindow();
    auto* box = new QMessageBox(icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::NoIcon,
                                QString::fromStdString(title), QString::fromStdString(prompt), QMessageBox::NoButton,
                                active ? active : &window_);
    box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);  // plain, without a theme's icon
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    connect(box, &QMessageBox::finished, this, [this] { game_.messageClosed(); });
    box->show();
}

void QtFrontEnd::setClockRunning(bool running)
{
    running ? clock_.start() : clock_.stop();
}

void QtFrontEnd::playCue(Cue cue)
{
    PlaySoundCue(*player_, programFolder(), cue);
    soundRest_.start();
    if (cueHolds(cue))
        cueWait_.start();
}

void QtFrontEnd::quit(int status)
{
    QCoreApplication::exit(status);
}

} // namespace velmora
