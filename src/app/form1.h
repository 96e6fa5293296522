#pragma once

#include "board/board_host.h"
#include "board/game_state.h"
#include "render/board_canvas.h"
#include "render/render_target.h"
#include "sound/sound_cue.h"
#include "sound/sound_player.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;

namespace velmora {

class BoardView;
class frmAbout;
class PictureBox;

// The main window. It owns the game state, every control and the persistent
// drawing surface for the life of the process, and is the host the game and
// the renderer work through.
//
// Controls keep the names of the window definition: picture boxes Buff (the
// floating cursor sprite), disk, selector and Picture1 (hidden image stores
// below the client area), the options panel Frame1 with Text1, Text2,
// Command1 to Command5 and Label1, Label2, the read-out Label3, the clock
// Timer1 and the menu items mJoc, mStart, mOptiuni, mExit, mAjutor, mAbout.
class Form1 : public QMainWindow, public BoardHost, public RenderTarget {
    Q_OBJECT

public:
    static constexpr int ClientWidth = 1002;
    static constexpr int ClientHeight = 628;

    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // Runs the load handler; false when it ended in a runtime error (reported).
    bool load();

    // The phases of a game. No phase variable exists: a game is in play
    // exactly while Timer1 runs.
    void NewGame();
    void EndGameWon() override;

    // Shows a message box with one OK button and no icon, modal, and returns
    // when it is closed. Tests put their own in.
    using MessageBox = std::function<void(const QString& prompt, const QString& title)>;
    void setMessageBox(MessageBox messageBox);

    const GameState& state() const { return state_; }
    GameState& state() { return state_; }
    BoardView* boardView() const { return board_; }
    const BoardCanvas& canvas() const { return canvas_; }

    // The About dialog while it is loaded, else null.
    frmAbout* aboutDialog() const;

    // Plays a cue from the program's folder. The player is the real one
    // unless a test puts its own in.
    void PlaySoundCue(const SoundCue& cue) override;
    void setSoundPlayer(std::unique_ptr<SoundPlayer> player);

    // The window's font size, which the game sets and nothing prints with.
    float FontSize() const;
    void setFontSize(float points);

    // BoardHost
    PictureSizes pictureSizes() const override;
    void DrawPeg(std::int16_t tower) override;
    void DrawDisk(const DiskSlot& slot, std::int16_t level) override;
    void RedrawBoard() override;
    void showCursorSprite(float left, float top) override;
    void moveCursorSprite(float left) override;
    bool clockRunning() const override;

    // RenderTarget
    DiskPictureMetrics diskPicture() const override;
    void setSpritePicture(SpritePicture picture) override;
    void refreshSprite() override;
    void Cls() override;
    void Line(float x1, float y1, float x2, float y2, std::uint32_t colour) override;
    void TransparentBlt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                        std::int32_t sourceX, std::int32_t sourceY, std::int32_t sourceWidth,
                        std::int32_t sourceHeight, std::uint32_t transparentColour) override;
    void Refresh() override;

    // Controls.
    QTimer* Timer1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command4 = nullptr;
    QLineEdit* Text2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    PictureBox* Buff = nullptr;
    PictureBox* disk = nullptr;
    PictureBox* selector = nullptr;
    PictureBox* Picture1 = nullptr;
    QLabel* Label3 = nullptr;

    QMenu* mJoc = nullptr;
    QAction* mStart = nullptr;
    QAction* mOptiuni = nullptr;
    QAction* mExit = nullptr;
    QMenu* mAjutor = nullptr;
    QAction* mAbout = nullptr;

public slots:
    void mStart_Click();
    void mOptiuni_Click();
    void mExit_Click();
    void mAbout_Click();
    void Timer1_Timer();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();

protected:
    // Key preview: sees every key meant for this window or its controls first.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void placeReadout();
    void showReadout(std::int16_t seconds);
    void LoseGame();
    void stepOption(QLineEdit* box, double step, double wrapValue, const QString& replacement);
    void refuseOption(QLineEdit* box);

    void createControls();
    void createMenus();

    // Runs one handler to its end. A runtime error in it is reported with the
    // standard message and ends the program, as every handler's error does.
    bool runHandler(const std::function<void()>& handler);
    // A slot that runs the handler through runHandler.
    std::function<void()> guarded(void (Form1::*handler)());

    GameState state_;
    BoardCanvas canvas_;
    std::unique_ptr<SoundPlayer> soundPlayer_;
    QTimer* soundRest_ = nullptr;  // lets the sound device go a while after the last cue
    MessageBox messageBox_;
    QPointer<frmAbout> about_;
    BoardView* board_ = nullptr;
    float fontSize_ = 0.0f;
    bool failed_ = false;
};

} // namespace velmora
