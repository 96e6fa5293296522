#pragma once

#include "x_session.h"

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>

#include <functional>

// Polls condition until it holds or timeoutMs pass; whether it held.
bool waitFor(const std::function<bool()>& condition, int timeoutMs = 5000);

// The real game, started under X for a test, and what the screen shows of it.
// Killed with the object if still running.
class GameProcess {
public:
    static constexpr int ClientWidth = 1002;
    static constexpr int ClientHeight = 628;

    // scale: the Qt scale factor the game runs at (QT_SCALE_FACTOR).
    explicit GameProcess(const XSession& x, int scale = 1) : x_(x), scale_(scale) {}
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    // The command that starts the game: VELMORA_TEST_COMMAND if set (a
    // program and its arguments separated by blanks, such as "wine
    // velmora.exe"), else the executable of this build.
    static QStringList command();
    // Whether that command runs a Windows build (under Wine).
    static bool windowsBuild() { return command().join(QLatin1Char(' ')).contains(QLatin1String(".exe")); }

    // Starts the game with the environment (plus the display and the X11
    // platform) and waits for its window titled "Form1" and its first board.
    bool start(QProcessEnvironment environment) { return start(command(), std::move(environment)); }
    bool start(const QStringList& command, QProcessEnvironment environment);

    unsigned long window() const { return window_; }
    int menuHeight() const { return menuHeight_; }
    QProcess& process() { return process_; }
    // The process that owns the game's windows: the started one, or the one
    // it handed over to (Wine starts the Windows program as another process).
    qint64 pid() const { return pid_; }

    // The client area below the menu bar (scaled), or a part of it, as on the screen.
    QImage client() const;
    QImage client(const QRect& part) const;
    // A point of the client area in the window's own coordinates.
    QPoint inWindow(QPoint inClient) const { return inClient + QPoint(0, menuHeight_); }

    bool key(const char* name) const { return x_.sendKey(window_, name); }
    void click(QPoint inClient) const { x_.click(window_, inWindow(inClient)); }
    // Presses F4 and waits for the program to end normally with status 0.
    bool exitWithF4();

private:
    const XSession& x_;
    QProcess process_;
    unsigned long window_ = 0;
    int menuHeight_ = 0;
    int scale_ = 1;
    qint64 pid_ = 0;
};
