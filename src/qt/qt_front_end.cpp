#include "qt/qt_front_end.h"

#include "game/game.h"
#include "qt/board_view.h"
#include "qt/key_codes.h"
#include "qt/main_window.h"
#include "qt/panel_frame.h"
#include "sound/cue_table.h"
#include "sound/lazy_sound_player.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace velmora {

namespace {

// The program's own folder, read afresh each time: where the cues and the
// sound backend lie.
std::string programFolder()
{
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
}

} // namespace

QtFrontEnd::QtFrontEnd(MainWindow& window, Game& game)
    : window_(window)
    , game_(game)
{
    // A cue that cannot be played gives the desktop's beep instead.
    player_ = std::make_unique<LazySoundPlayer>(programFolder, [] { QApplication::beep(); });

    clock_.setInterval(1000);
    connect(&clock_, &QTimer::timeout, this, [this] { game_.tick(); });

    // The cue the game waits for: asked after every few milliseconds whether
    // it still sounds.
    cueWait_.setInterval(10);
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

    for (const auto& [command, item] : window.menuItems)
        connect(item, &QAction::triggered, this, [this, command = command] { game_.command(command); });
    for (const auto& [command, button] : window.buttons)
        connect(button, &QPushButton::clicked, this, [this, command = command] { game_.command(command); });

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
    // Closing the window by its frame: an About still open keeps the program
    // going until it is closed too.
    if (event->type() == QEvent::Close && watched == &window_) {
        if (game_.closeWindow())
            return false;
        event->ignore();
        return true;
    }
    // The surface grows with the board's view.
    if (event->type() == QEvent::Resize && watched == window_.boardView) {
        const QSize size = static_cast<QResizeEvent*>(event)->size();
        game_.resizeClient(size.width(), size.height());
        return false;
    }
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != &window_)
        return false;
    // A key travels from the focused control up to the window: it is taken
    // once, where it first arrives.
    QWidget* focused = QApplication::focusWidget();
    if (widget != (focused && focused->window() == &window_ ? focused : &window_))
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    game_.keyDown(virtualKeyCode(key->key()), shiftState(key->modifiers()));
    // Not consumed: the focused control gets the key too.
    return false;
}

void QtFrontEnd::describeBoard(const std::string& words)
{
    window_.boardView->setAccessibleDescription(QString::fromStdString(words));
}

void QtFrontEnd::accessibilityActiveChanged(bool active)
{
    game_.setScreenReader(active);
}

void QtFrontEnd::setCommandEnabled(Command command, bool enabled)
{
    window_.menuItems.at(command)->setEnabled(enabled);
}

QLineEdit* QtFrontEnd::textBox(OptionBox box) const
{
    return window_.optionBoxes.at(box);
}

void QtFrontEnd::setPanelVisible(bool visible)
{
    window_.optionsPanel->setVisible(visible);
    // Nothing else on the window takes the focus, so Qt would leave it on the
    // hidden Ok, and the next Space would press Ok again and reset the board.
    if (QWidget* focused = QApplication::focusWidget(); !visible && focused && window_.optionsPanel->isAncestorOf(focused))
        focused->clearFocus();
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
    window_.readOut->setText(QString::fromStdString(text));
    window_.readOut->adjustSize();
}

void QtFrontEnd::placeReadout(std::int32_t left, std::int32_t top)
{
    window_.readOut->move(left, top);
}

void QtFrontEnd::showSprite(const Picture& image, std::int32_t x, std::int32_t y)
{
    window_.sprite->showImage(image, x, y);
}

void QtFrontEnd::showSurface(const Rect& changed)
{
    window_.boardView->showChanged(changed);
}

// Modal to every window of the program; the game hears when it is closed.
void QtFrontEnd::showMessage(const std::string& prompt, const std::string& title, MessageIcon icon)
{
    auto* box = new QMessageBox(icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::NoIcon,
                                QString::fromStdString(title), QString::fromStdString(prompt), QMessageBox::NoButton,
                                &window_);
    box->addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);  // plain, without a theme's icon
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    connect(box, &QMessageBox::finished, this, [this] {
        game_.messageClosed();
    });
    box->show();
}

void QtFrontEnd::setClockRunning(bool running)
{
    if (running)
        clock_.start();
    else
        clock_.stop();
}

void QtFrontEnd::playCue(Cue cue)
{
    PlaySoundCue(*player_, programFolder(), cue);
    soundRest_.start();
    if (cueHolds(cue))
        cueWait_.start();
}

void QtFrontEnd::showAbout()
{
    if (!about_)
        about_ = makeAboutDialog([this] { game_.command(Command::SystemInfo); });
    about_->show();
    about_->raise();
    about_->activateWindow();
}

bool DesktopSystem::fileExists(const std::string& path)
{
    return QFileInfo(QFile::decodeName(QByteArray::fromStdString(path))).isFile();
}

bool DesktopSystem::startProgram(const std::string& path)
{
    return QProcess::startDetached(QFile::decodeName(QByteArray::fromStdString(path)), {});
}

void QtFrontEnd::quit(int status)
{
    QCoreApplication::exit(status);
}

} // namespace velmora
