#pragma once

#include "game/window_description.h"
#include "x_session.h"

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>

#include <functional>
#include <utility>
#include <vector>

// The real game, started on the session's display for a test, and what the
// screen shows of it. Killed with the object if still running.
class GameProcess {
public:
    static constexpr int ClientWidth = 1002;
    static constexpr int ClientHeight = 628;

    // scale: the screen's scale the game runs at (Qt's QT_SCALE_FACTOR, or
    // Wine's dots per inch, 96 times the scale).
    explicit GameProcess(const XSession& x, int scale = 1) : x_(x), scale_(scale) {}
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    // The command that starts the game: VELMORA_TEST_COMMAND if set (a
    // program and its arguments separated by blanks, such as "wine
    // Velmora.exe"), else the executable of this build.
    static QStringList command();
    // Whether that command runs a Windows build (under Wine).
    static bool windowsBuild() { return command().join(QLatin1Char(' ')).contains(QLatin1String(".exe")); }
    // What a screen reader reads of the board now, as the game tells it: the
    // board's description through AT-SPI (the session needs a D-Bus bus of
    // its own), or under Wine its value through Active Accessibility, read by
    // accessibility_probe.exe (VELMORA_ACCESSIBILITY_PROBE, else the one
    // beside the program). Empty while there is none.
    static QString boardWords();
    // Copies the program (with the sound module a Linux build loads from its
    // own folder) into folder, and returns the command that starts the copy.
    static QStringList copyInto(const QString& folder);

    // Starts the game, playing its cues into the session's sound server, and
    // waits for its window titled "Form1" and its first board.
    bool start() { return start(command()); }
    bool start(const QStringList& command, QProcessEnvironment environment = QProcessEnvironment::systemEnvironment());

    unsigned long window() const { return window_; }
    int menuHeight() const { return menuHeight_; }
    QProcess& process() { return process_; }
    // The process that owns the game's windows: the started one, or the one
    // it handed over to (Wine starts the Windows program as another process).
    qint64 pid() const { return pid_; }

    // The client area below the menu bar (scaled), or a part of it, as on the screen.
    QImage client() const;
    QImage client(const QRect& part) const;
    QPoint inWindow(QPoint inClient) const { return inClient + QPoint(0, menuHeight_); }

    bool key(const char* name) const { return x_.sendKey(window_, name); }
    void click(QPoint inClient) const { x_.click(window_, inWindow(inClient)); }
    // A click that must change what a part of the client area shows (a step
    // button and its box), once that part stands still, waited for: the next
    // click comes after it.
    bool clickChanging(QPoint inClient, const QRect& watched) const;
    // A box of this program with this title, waited for.
    unsigned long box(const QString& title, int timeoutMs = 10000) const { return x_.findWindow(title, timeoutMs, pid_); }
    // Presses Enter in the box and waits for it to close and, under a window
    // manager, for the main window to have the keyboard again.
    bool closeBox(unsigned long box) const;
    // Waits for the program to end normally with status 0.
    bool endsNormally(int timeoutMs = 10000);
    bool exitWithF4() { return key("F4") && endsNormally(); }

private:
    const XSession& x_;
    QProcess process_;
    unsigned long window_ = 0;
    int menuHeight_ = 0;
    int scale_ = 1;
    qint64 pid_ = 0;
};

// Waits up to 3 s for what grab() returns to equal the picture kept as
// tests/e2e/pictures/NAME.png (NAME_windows.png for a Windows build where
// one is kept), and saves the last one as e2e_NAME.png in the build for a look.
bool looksAsKept(const std::function<QImage()>& grab, const QString& name);

// What the board shows, in client coordinates of the unscaled window.
namespace probe {

inline const QRgb Background = qRgb(192, 192, 0);
inline const QRgb Black = qRgb(0, 0, 0);
inline const QRgb Navy = qRgb(0, 0, 128);
inline const QRgb PanelBlue = qRgb(0, 0, 255);

// The options panel, and a control in it that gives a command or holds an
// option, by the name a screen reader says ("Time", "Time Up", "Ok"), where
// the window's description puts them.
QRect panelArea();
QRect panelControl(const QString& name);
inline const QRect Readout(465, 485, 160, 50);

int count(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& matches);
inline bool isNavy(QRgb pixel) { return pixel == Navy; }
inline bool isGreen(QRgb pixel) { return qGreen(pixel) > 120 && qRed(pixel) < 100 && qBlue(pixel) < 100; }
bool isGrey(QRgb pixel);

// The sprite's picture over a tower (its left edge at 115.5, 429.5, 743.5).
QRect spriteOver(int tower);
// The cursor (green) or the disk in hand (grey) over the tower.
bool cursorOver(const QImage& board, int tower);
bool diskInHandOver(const QImage& board, int tower);
bool panelShown(const QImage& board);

} // namespace probe
