#include "app/form1.h"

#include "about/about_dialog.h"
#include "app/board_view.h"
#include "app/panel_frame.h"
#include "app/picture_box.h"
#include "app/key_codes.h"
#include "board/checked_math.h"
#include "board/keyboard.h"
#include "board/reset_board.h"
#include "render/board_renderer.h"
#include "sound/play_sound_cue.h"
#include "sound/lazy_sound_player.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <exception>
#include <limits>

// The images are compiled into this library; a static library must register
// them itself.
static void initialiseResources()
{
    Q_INIT_RESOURCE(velmora);
}

namespace velmora {

namespace {

const QColor BoardBackground(192, 192, 0);
const QColor PanelBackground(0, 0, 255);
const QColor CaptionBackground(255, 255, 0);
const QColor ButtonFace(128, 128, 128);

// The program's own folder, read afresh each time: where the cues and the
// sound backend lie.
std::string programFolder()
{
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
}

// The window definition names "MS Sans Serif"; where it is missing any plain
// sans-serif face of the same size serves.
QFont controlFont(qreal points)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    font.setPointSizeF(points);
    return font;
}

QPushButton* makeButton(QWidget* parent, const QString& caption, QRect geometry, qreal points)
{
    auto* button = new QPushButton(caption, parent);
    button->setGeometry(geometry);
    button->setFont(controlFont(points));
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, ButtonFace);
    button->setPalette(palette);
    button->setAutoDefault(false);
    return button;
}

QLineEdit* makeTextBox(QWidget* parent, const QString& text, QRect geometry)
{
    auto* box = new QLineEdit(text, parent);
    box->setGeometry(geometry);
    box->setFont(controlFont(13.5));
    box->setMaxLength(std::numeric_limits<int>::max());
    return box;
}

QLabel* makeCaption(QWidget* parent, const QString& caption, QRect geometry)
{
    auto* label = new QLabel(caption, parent);
    label->setGeometry(geometry);
    label->setFont(controlFont(13.5));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, CaptionBackground);
    label->setPalette(palette);
    return label;
}

PictureBox* makePictureBox(QWidget* parent, QRect geometry, const QString& image)
{
    auto* box = new PictureBox(parent);
    box->setPlacement(static_cast<float>(geometry.x()), static_cast<float>(geometry.y()), geometry.width(),
                      geometry.height());
    if (!image.isEmpty())
        box->setPicture(QImage(image).convertToFormat(QImage::Format_RGB32));
    box->setVisible(false);
    return box;
}

} // namespace

Form1::Form1(QWidget* parent)
    : QMainWindow(parent)
    , canvas_(QSize(ClientWidth, ClientHeight), BoardBackground)
{
    initialiseResources();
    messageBox_ = [this](const QString& prompt, const QString& title) {
        QMessageBox box(QMessageBox::NoIcon, title, prompt, QMessageBox::NoButton, this);
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);  // plain, without a theme's icon
        box.setWindowModality(Qt::ApplicationModal);
        box.exec();
    };
    // A cue that cannot be played gives the desktop's beep instead.
    soundPlayer_ = std::make_unique<LazySoundPlayer>(programFolder, [] { QApplication::beep(); });
    setWindowTitle(QStringLiteral("Form1"));
    board_ = new BoardView(canvas_, this);
    setCentralWidget(board_);
    createControls();
    createMenus();
    fontSize_ = static_cast<float>(font().pointSizeF());
    // Only a filter on the application sees the keys aimed at a focused child.
    qApp->installEventFilter(this);
    resize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
}

Form1::~Form1()
{
    qApp->removeEventFilter(this);
    delete about_;
}

// Closing the window by its frame ends the window and its clock with it; an
// About dialog still open keeps the program going until it is closed too.
void Form1::closeEvent(QCloseEvent* event)
{
    Timer1->stop();
    QMainWindow::closeEvent(event);
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != this)
        return false;
    // A key that its first receiver ignores travels on to the parents; act
    // on it once, where it arrives first: the focused control, else the window.
    QWidget* first = QApplication::focusWidget();
    if (!first || first->window() != this)
        first = this;
    if (widget != first)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    const std::int16_t keyCode = virtualKeyCode(key->key());
    const std::int16_t shift = shiftState(key->modifiers());
    runHandler([this, keyCode, shift] { Form_KeyDown(state_, *this, keyCode, shift); });
    // No key is consumed: the focused control gets it too. (Typed characters
    // run no handler of the window.)
    return false;
}

void Form1::createControls()
{
    // Three quiet seconds after a cue the sound device is let go, so that an
    // idle game does no work at all.
    soundRest_ = new QTimer(this);
    soundRest_->setSingleShot(true);
    soundRest_->setInterval(3000);
    connect(soundRest_, &QTimer::timeout, this, [this] {
        if (soundPlayer_->rest())
            soundRest_->start();
    });

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    // Each tick is handled from the event queue, not inside the timer's own
    // activation: Qt never fires a timer again while its activation runs, and
    // the lost game's message box must let further ticks run nested. A tick
    // still queued when the clock stops is dropped, as the clock's own are.
    connect(
        Timer1, &QTimer::timeout, this,
        [this] {
            if (Timer1->isActive())
                runHandler([this] { Timer1_Timer(); });
        },
        Qt::QueuedConnection);

    Frame1 = new PanelFrame(QStringLiteral("Optiuni"), board_);
    Frame1->setGeometry(8, 432, 481, 169);
    Frame1->setFont(controlFont(13.5));
    QPalette panel = Frame1->palette();
    panel.setColor(QPalette::Window, PanelBackground);
    Frame1->setPalette(panel);

    // Made in tab order, which is then the order of the focus chain: the
    // first Tab into the panel reaches the time box. (None of them overlap,
    // so the order of stacking does not matter.)
    Text1 = makeTextBox(Frame1, QStringLiteral("Text1"), QRect(176, 48, 57, 41));
    Command1 = makeButton(Frame1, QStringLiteral("Up"), QRect(128, 48, 41, 41), 13.5);
    Command2 = makeButton(Frame1, QStringLiteral("Down"), QRect(240, 48, 65, 41), 13.5);
    Command3 = makeButton(Frame1, QStringLiteral("Up"), QRect(128, 104, 41, 41), 13.5);
    Text2 = makeTextBox(Frame1, QStringLiteral("Text2"), QRect(176, 104, 57, 41));
    Command4 = makeButton(Frame1, QStringLiteral("Down"), QRect(240, 104, 65, 41), 13.5);
    Command5 = makeButton(Frame1, QStringLiteral("Ok"), QRect(328, 72, 105, 41), 18);
    Label1 = makeCaption(Frame1, QStringLiteral("Time"), QRect(16, 48, 105, 41));
    Label2 = makeCaption(Frame1, QStringLiteral("Level"), QRect(16, 104, 105, 41));
    Frame1->setVisible(false);

    connect(Command1, &QPushButton::clicked, this, guarded(&Form1::Command1_Click));
    connect(Command2, &QPushButton::clicked, this, guarded(&Form1::Command2_Click));
    connect(Command3, &QPushButton::clicked, this, guarded(&Form1::Command3_Click));
    connect(Command4, &QPushButton::clicked, this, guarded(&Form1::Command4_Click));
    connect(Command5, &QPushButton::clicked, this, guarded(&Form1::Command5_Click));

    Buff = makePictureBox(board_, QRect(264, 640, 185, 161), QString());
    disk = makePictureBox(board_, QRect(600, 648, 81, 81), QStringLiteral(":/images/disk_in_hand.bmp"));
    selector = makePictureBox(board_, QRect(480, 640, 83, 80), QStringLiteral(":/images/cursor.bmp"));
    Picture1 = makePictureBox(board_, QRect(16, 632, 214, 87), QStringLiteral(":/images/board_disk.bmp"));

    Label3 = new QLabel(board_);
    Label3->setGeometry(405, 384, 7, 29);
    Label3->setFont(controlFont(18));
    Label3->setAlignment(Qt::AlignCenter);
    // A label has no window of its own: it lies under the panel and the sprite.
    Label3->lower();
}

void Form1::createMenus()
{
    mJoc = menuBar()->addMenu(QStringLiteral("Joc"));
    mStart = mJoc->addAction(QStringLiteral("StartJoc"));
    mStart->setShortcut(QKeySequence(Qt::Key_F2));
    mOptiuni = mJoc->addAction(QStringLiteral("Optiuni"));
    mOptiuni->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    mExit = mJoc->addAction(QStringLiteral("Exit"));
    mExit->setShortcut(QKeySequence(Qt::Key_F4));

    mAjutor = menuBar()->addMenu(QStringLiteral("Ajutor"));
    mAbout = mAjutor->addAction(QStringLiteral("Despre"));
    mAbout->setShortcut(QKeySequence(Qt::Key_F1));

    for (QAction* item : {mStart, mOptiuni, mExit, mAbout})
        item->setShortcutContext(Qt::WindowShortcut);

    connect(mStart, &QAction::triggered, this, guarded(&Form1::mStart_Click));
    connect(mOptiuni, &QAction::triggered, this, guarded(&Form1::mOptiuni_Click));
    connect(mExit, &QAction::triggered, this, guarded(&Form1::mExit_Click));
    connect(mAbout, &QAction::triggered, this, guarded(&Form1::mAbout_Click));
}

bool Form1::load()
{
    return runHandler([this] { Form_Load(); });
}

std::function<void()> Form1::guarded(void (Form1::*handler)())
{
    return [this, handler] { runHandler([this, handler] { (this->*handler)(); }); };
}

bool Form1::runHandler(const std::function<void()>& handler)
{
    if (failed_)
        return false;
    QString report;
    try {
        handler();
        return true;
    } catch (const RuntimeError& error) {
        report = QStringLiteral("Run-time error '%1':\n\n%2").arg(error.number()).arg(QString::fromUtf8(error.what()));
    } catch (const std::exception& error) {
        report = QStringLiteral("Run-time error:\n\n%1").arg(QString::fromUtf8(error.what()));
    }
    failed_ = true;
    Timer1->stop();
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), report, QMessageBox::Ok, this);
    box.exec();
    QCoreApplication::exit(1);
    return false;
}

void Form1::PlaySoundCue(const SoundCue& cue)
{
    velmora::PlaySoundCue(*soundPlayer_, programFolder, cue.fileName, cue.flags);
    soundRest_->start();
}

void Form1::setSoundPlayer(std::unique_ptr<SoundPlayer> player)
{
    soundPlayer_ = std::move(player);
}

void Form1::setMessageBox(MessageBox messageBox)
{
    messageBox_ = std::move(messageBox);
}

float Form1::FontSize() const
{
    return fontSize_;
}

void Form1::setFontSize(float points)
{
    fontSize_ = points;
}

// The About dialog ---------------------------------------------------------

// Modeless and without an owner: the game goes on while the dialog is open.
// One at a time; once closed it is loaded afresh.
void Form1::mAbout_Click()
{
    if (!about_) {
        about_ = new frmAbout();
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
}

frmAbout* Form1::aboutDialog() const
{
    return about_;
}

// BoardHost ----------------------------------------------------------------

PictureSizes Form1::pictureSizes() const
{
    return PictureSizes{Picture1->Width(), Picture1->Height(), selector->Width()};
}

void Form1::DrawPeg(std::int16_t tower)
{
    velmora::DrawPeg(state_, *this, tower);
}

void Form1::DrawDisk(const DiskSlot& slot, std::int16_t level)
{
    velmora::DrawDisk(state_, *this, slot, level);
}

void Form1::RedrawBoard()
{
    velmora::RedrawBoard(state_, *this);
}

void Form1::showCursorSprite(float left, float top)
{
    Buff->setLeft(left);
    Buff->setTop(top);
    Buff->setPicture(selector->picture());
    Buff->setVisible(true);
}

void Form1::moveCursorSprite(float left)
{
    Buff->setLeft(left);
}

bool Form1::clockRunning() const
{
    return Timer1->isActive();
}

// RenderTarget -------------------------------------------------------------

DiskPictureMetrics Form1::diskPicture() const
{
    return DiskPictureMetrics{Picture1->Width(), Picture1->Height(), Picture1->ScaleWidth(),
                              Picture1->ScaleHeight()};
}

void Form1::setSpritePicture(SpritePicture picture)
{
    switch (picture) {
    case SpritePicture::Empty:
        Buff->setPicture(QImage());
        break;
    case SpritePicture::Disk:
        Buff->setPicture(disk->picture());
        break;
    case SpritePicture::Selector:
        Buff->setPicture(selector->picture());
        break;
    }
}

void Form1::refreshSprite()
{
    if (Buff->isVisible())
        Buff->repaint();
}

void Form1::Cls()
{
    canvas_.clear();
}

void Form1::Line(float x1, float y1, float x2, float y2, std::uint32_t colour)
{
    canvas_.fillBox(x1, y1, x2, y2, colour);
}

void Form1::TransparentBlt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                           std::int32_t sourceX, std::int32_t sourceY, std::int32_t sourceWidth,
                           std::int32_t sourceHeight, std::uint32_t transparentColour)
{
    canvas_.transparentBlt(QRect(x, y, width, height), Picture1->picture(),
                           QRect(sourceX, sourceY, sourceWidth, sourceHeight), transparentColour);
}

void Form1::Refresh()
{
    board_->refreshChanged();
}

} // namespace velmora
