// Figures of the real program under X: key to screen, start-up next to a
// minimal Qt window, CPU while idle and while a game runs, and peak memory.
// Needs DISPLAY (bench/figures starts an Xvfb) and takes about three minutes.
// With --windows: start-up and peak memory of the Windows program next to a
// minimal Windows window, both under Wine (WINELOADER, else wine).

#include "x_session.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <unistd.h>
#include <vector>

namespace {

constexpr int ClientHeight = 628;

// Polls without sleeping, so that a time measured to it is not rounded up.
bool spinUntil(const std::function<bool()>& condition, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
    }
    return true;
}

// User plus system CPU time of a process, in seconds.
double cpuSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double ticks = fields.value(11).toDouble() + fields.value(12).toDouble();  // utime, stime
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// Peak resident size of a process, in MiB.
double peakMemory(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

double percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

struct Launched {
    double milliseconds = -1;
    unsigned long window = 0;
    qint64 pid = 0;  // the process showing the window (Wine's, for a Windows program)
};

// Starts a program and measures the time until its window shows the given
// colour at the given point (in the window), polling the screen.
Launched launch(const XSession& x, QProcess& process, const QString& program, const QString& title, QPoint at,
                QRgb colour, const QStringList& arguments = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    Launched result;
    result.window = x.findWindow(title, 20000, process.processId());
    if (!result.window)
        return result;
    if (spinUntil([&] {
            const QImage image = x.grab(result.window, QRect(at, QSize(1, 1)));
            return !image.isNull() && image.pixel(0, 0) == colour;
        }, 20000))
        result.milliseconds = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    result.pid = x.windowPid(result.window);
    if (result.pid == 0)
        result.pid = process.processId();
    return result;
}

// Ends a program and waits until its window has left the screen, so the
// next launch cannot find the old one.
void stop(const XSession& x, QProcess& process, unsigned long window)
{
    process.kill();
    process.waitForFinished(5000);
    spinUntil([&] { return !x.isViewable(window); }, 5000);
}

// The Windows program next to the minimal Windows window under Wine: one
// start of each to warm Wine up, then eight pairs; medians of the start-up,
// the highest peak memory.
int windowsFigures(const XSession& x, const QString& game, const QString& minimal)
{
    const QString wine = qEnvironmentVariable("WINELOADER", QStringLiteral("wine"));
    // One start: its time to the shown window (negative if none showed) and peak memory.
    const auto measure = [&](const QString& program, const QString& title, QPoint at, QRgb colour) {
        QProcess process;
        const Launched started = launch(x, process, wine, title, at, colour, {program});
        QThread::msleep(500);
        const double memory = peakMemory(started.pid);
        stop(x, process, started.window);
        return std::pair{started.milliseconds, memory};
    };
    std::vector<double> gameStarts;
    std::vector<double> minimalStarts;
    double gameMemory = 0;
    double minimalMemory = 0;
    for (int round = 0; round < 9; ++round) {
        const auto [floorStart, floorMemory] = measure(minimal, QStringLiteral("Minimal"), QPoint(500, 300),
                                                       qRgb(192, 192, 0));
        const auto [gameStart, startedMemory] = measure(game, QStringLiteral("Form1"), QPoint(471, 220), qRgb(0, 0, 0));
        if (floorStart < 0 || gameStart < 0) {
            std::fprintf(stderr, "a window did not show\n");
            return 1;
        }
        if (round == 0)
            continue;
        minimalStarts.push_back(floorStart);
        gameStarts.push_back(gameStart);
        minimalMemory = std::max(minimalMemory, floorMemory);
        gameMemory = std::max(gameMemory, startedMemory);
    }
    const double gameStart = percentile(gameStarts, 0.5);
    const double minimalStart = percentile(minimalStarts, 0.5);
    std::printf("start-up to the shown window under Wine: game %.0f ms, minimal Windows window %.0f ms (ratio %.2f)\n",
                gameStart, minimalStart, gameStart / minimalStart);
    std::printf("peak memory under Wine: game %.1f MiB, minimal Windows window %.1f MiB (ratio %.2f)\n", gameMemory,
                minimalMemory, gameMemory / minimalMemory);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--windows") {
        XSession x;
        if (!x.isOpen()) {
            std::fprintf(stderr, "no X display (run under tests/e2e/x_session.sh)\n");
            return 1;
        }
        return windowsFigures(x, QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: %s VELMORA MINIMAL_WINDOW [--startup-only]\n"
                             "       %s --windows VELMORA.EXE MINIMAL_WINDOW_WIN32.EXE\n", argv[0], argv[0]);
        return 2;
    }
    const bool startupOnly = argc == 4 && QByteArray(argv[3]) == "--startup-only";
    const QString game = QString::fromLocal8Bit(argv[1]);
    const QString minimal = QString::fromLocal8Bit(argv[2]);
    XSession x;
    if (!x.isOpen()) {
        std::fprintf(stderr, "no X display (run under tests/e2e/x_session.sh)\n");
        return 1;
    }

    // Start-up: launch to the first painted board (tower 2's peg is black),
    // against the minimal window's first painted background; median of five.
    std::vector<double> gameStarts;  // milliseconds
    std::vector<double> minimalStarts;
    std::vector<double> textStarts;
    double gameMemory = 0;
    double minimalMemory = 0;
    double textMemory = 0;
    for (int round = 0; round < 5; ++round) {
        QProcess plain;
        const Launched floor = launch(x, plain, minimal, QStringLiteral("Minimal"), QPoint(500, 300), qRgb(192, 192, 0));
        minimalStarts.push_back(floor.milliseconds);
        QThread::msleep(300);
        minimalMemory = std::max(minimalMemory, peakMemory(floor.pid));
        stop(x, plain, floor.window);

        QProcess words;
        const Launched textFloor = launch(x, words, minimal, QStringLiteral("Minimal"), QPoint(500, 300),
                                          qRgb(192, 192, 0), {QStringLiteral("--text")});
        textStarts.push_back(textFloor.milliseconds);
        QThread::msleep(300);
        textMemory = std::max(textMemory, peakMemory(textFloor.pid));
        stop(x, words, textFloor.window);

        QProcess velmora;
        const Launched started = launch(x, velmora, game, QStringLiteral("Form1"), QPoint(471, 200 + 20), qRgb(0, 0, 0));
        gameStarts.push_back(started.milliseconds);
        QThread::msleep(300);
        gameMemory = std::max(gameMemory, peakMemory(started.pid));
        stop(x, velmora, started.window);
    }
    const double gameStart = percentile(gameStarts, 0.5);
    const double minimalStart = percentile(minimalStarts, 0.5);
    const double textStart = percentile(textStarts, 0.5);
    if (startupOnly) {
        std::printf("start-up: game %.0f ms, minimal %.0f ms, with text %.0f ms; memory: game %.1f MiB, minimal "
                    "%.1f MiB, with text %.1f MiB\n",
                    gameStart, minimalStart, textStart, gameMemory, minimalMemory, textMemory);
        return 0;
    }

    // The game for the remaining figures.
    QProcess velmora;
    const Launched started = launch(x, velmora, game, QStringLiteral("Form1"), QPoint(471, 220), qRgb(0, 0, 0));
    if (!started.window) {
        std::fprintf(stderr, "the game showed no window\n");
        return 1;
    }
    const unsigned long window = started.window;
    const int menuHeight = x.geometry(window).height() - ClientHeight;

    // Idle: 60 s with the window open and no game running.
    const double idleBefore = cpuSeconds(velmora.processId());
    QThread::sleep(60);
    const double idle = cpuSeconds(velmora.processId()) - idleBefore;

    // 15 disks and the longest time limit, then five disks spread to each tower.
    x.sendKey(window, "ctrl+o");
    QThread::msleep(300);
    x.click(window, QPoint(8 + 176 + 28, 432 + 104 + 20 + menuHeight));
    x.sendKey(window, "ctrl+a");
    x.type(window, QStringLiteral("15"));
    x.click(window, QPoint(8 + 176 + 28, 432 + 48 + 20 + menuHeight));
    x.sendKey(window, "ctrl+a");
    x.type(window, QStringLiteral("1500"));
    x.click(window, QPoint(8 + 328 + 52, 432 + 72 + 20 + menuHeight));
    QThread::msleep(300);
    x.sendKey(window, "F2");
    // Disk 15 to tower 2, 14 to tower 3, 15 onto it, 13 to tower 2: a board spread over three towers.
    for (const char* key : {"space", "Right", "space", "Left", "space", "Right", "Right", "space", "Left", "space",
                            "Right", "space", "Left", "Left", "space", "Right", "space"})
        x.sendKey(window, key);
    QThread::msleep(500);

    // Playing: 60 s of a running clock.
    const double playingBefore = cpuSeconds(velmora.processId());
    QThread::sleep(60);
    const double playing = cpuSeconds(velmora.processId()) - playingBefore;

    // Key to screen: Space lifts the top disk of tower 1 and sets it back, each
    // press timed until the screen shows the sprite's new picture.
    const QRect sprite(118, 22 + menuHeight, 77, 76);
    x.sendKey(window, "Left");
    QThread::msleep(300);
    std::vector<double> keyToScreen;
    for (int press = 0; press < 240; ++press) {
        const QImage before = x.grab(window, sprite);
        QElapsedTimer clock;
        clock.start();
        x.sendKey(window, "space", 0);  // no pause between its events: the game's time alone
        if (!spinUntil([&] { return x.grab(window, sprite) != before; }, 2000)) {
            std::fprintf(stderr, "press %d changed nothing\n", press);
            return 1;
        }
        keyToScreen.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
        QThread::msleep(20);
    }
    const double playedMemory = peakMemory(velmora.processId());
    stop(x, velmora, window);

    std::printf("key to screen (Space, 15 disks, %zu presses): median %.2f ms, 99th percentile %.2f ms\n",
                keyToScreen.size(), percentile(keyToScreen, 0.5), percentile(keyToScreen, 0.99));
    std::printf("start-up to first painted board: %.0f ms; minimal Qt window: %.0f ms (ratio %.2f); with a menu "
                "bar and text: %.0f ms (ratio %.2f)\n",
                gameStart, minimalStart, gameStart / minimalStart, textStart, gameStart / textStart);
    std::printf("CPU over 60 s: idle %.2f s, game running %.2f s\n", idle, playing);
    std::printf("peak memory at start-up: game %.1f MiB; minimal Qt window %.1f MiB (ratio %.2f); with a menu bar "
                "and text %.1f MiB (ratio %.2f)\n",
                gameMemory, minimalMemory, gameMemory / minimalMemory, textMemory, gameMemory / textMemory);
    std::printf("peak memory after 60 s of play with sound: game %.1f MiB\n", playedMemory);
    return 0;
}
