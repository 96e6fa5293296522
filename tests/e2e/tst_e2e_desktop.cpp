// The real executable under a real window manager (openbox on an Xvfb of the
// test's own): the main window closed by its frame in every phase, and the
// About dialog with its lines and its message, the keyboard following them
// as the desktop activates them. Keys go to whichever window is active.

#include "game_process.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <QThread>

namespace {

const QPoint OkButton(8 + 328 + 52, 432 + 72 + 20);
const QRgb White = qRgb(255, 255, 255);

bool endedNormally(QProcess& process, int timeoutMs)
{
    return process.waitForFinished(timeoutMs) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
}

} // namespace

class TestEndToEndDesktop : public QObject {
    Q_OBJECT

private:
    XSession x_;

    static QProcessEnvironment environment()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
        return environment;
    }

    // Waits until the desktop has made the window active.
    bool becomesActive(unsigned long window) const
    {
        return waitFor([&] { return x_.activeWindow() == window; });
    }

    // Openbox does not hand the keyboard to a window Wine activates by
    // itself; for a Windows build the test asks the window manager, as a
    // click would, until it takes.
    bool activeOnWindows(unsigned long window) const
    {
        if (!GameProcess::windowsBuild())
            return becomesActive(window);
        return waitFor([&] {
            if (x_.activeWindow() == window)
                return true;
            x_.activate(window);
            return waitFor([&] { return x_.activeWindow() == window; }, 500);
        });
    }

    unsigned long openAbout(GameProcess& game) const
    {
        if (!game.key("F1"))
            return 0;
        const unsigned long about = x_.findWindow(QStringLiteral("About Velmora"), 5000, game.pid());
        return about && activeOnWindows(about) ? about : 0;
    }

private slots:
    void initTestCase()
    {
        QString reason;
        QVERIFY2(x_.openWithWindowManager(&reason), qPrintable(reason));
    }

    // The program ends, with status 0, once none of its windows is open.
    // A message box blocks the window under it, whose close button then does
    // nothing until the box is answered.
    void closingTheMainWindowByItsFrame_data()
    {
        QTest::addColumn<QString>("phase");
        QTest::newRow("idle") << "idle";
        QTest::newRow("game running") << "running";
        QTest::newRow("options panel open") << "panel";
        QTest::newRow("About open") << "about";
        QTest::newRow("Game Over box open") << "lost";
    }

    void closingTheMainWindowByItsFrame()
    {
        QFETCH(QString, phase);
        GameProcess game(x_);
        QVERIFY2(game.start(environment()), "the game showed no board");
        const unsigned long window = game.window();
        QVERIFY(becomesActive(window));

        if (phase == QStringLiteral("running")) {
            QVERIFY(game.key("F2"));
            QVERIFY(game.key("space"));
        } else if (phase == QStringLiteral("panel")) {
            QVERIFY(game.key("ctrl+o"));
        } else if (phase == QStringLiteral("about")) {
            const unsigned long about = openAbout(game);
            QVERIFY2(about, "F1 opened no active About dialog");
            x_.closeByFrame(window);
            QVERIFY2(waitFor([&] { return !x_.isViewable(window); }), "the main window did not close");
            QThread::msleep(500);
            QCOMPARE(game.process().state(), QProcess::Running);
            QVERIFY(x_.isViewable(about));
            // The About keeps the keyboard, and Esc still closes it: the last window.
            QVERIFY(becomesActive(about));
            QVERIFY(x_.sendKeyToFocus("Escape"));
            QVERIFY2(endedNormally(game.process(), 5000), "closing the last window did not end the program");
            return;
        } else if (phase == QStringLiteral("lost")) {
            // A 3-second game, typed into the panel, lost.
            QVERIFY(game.key("ctrl+o"));
            QThread::msleep(300);
            QVERIFY(x_.sendKeyToFocus("Tab"));
            QVERIFY(x_.type(window, QStringLiteral("3")));
            game.click(OkButton);
            QThread::msleep(300);
            QVERIFY(game.key("F2"));
            const unsigned long box = x_.findWindow(QStringLiteral("Game Over"), 10000, game.pid());
            QVERIFY2(box, "the 3-second game was not lost");
            x_.closeByFrame(window);
            QThread::msleep(700);
            QCOMPARE(game.process().state(), QProcess::Running);
            QVERIFY(x_.isViewable(window));
            QVERIFY(x_.isViewable(box));
            QVERIFY(x_.sendKey(box, "Return"));
            QVERIFY(waitFor([&] { return !x_.isViewable(box); }));
        }
        x_.closeByFrame(window);
        QVERIFY2(endedNormally(game.process(), 5000), "closing the window did not end the program normally");
    }

    // F1, Alt+S, Enter on the message, Esc: every key reaches the window the
    // player sees in front, and the last one closes the About. There is no
    // registry here, so System Info says the tool is unavailable.
    void aboutWithItsMessage()
    {
        GameProcess game(x_);
        QVERIFY2(game.start(environment()), "the game showed no board");
        const unsigned long about = openAbout(game);
        QVERIFY2(about, "F1 opened no active About dialog");
        // Wine draws a tool window's frame itself, inside the X window: the
        // client area is what lies within the frame's even border.
        const QImage window = x_.grab(about);
        const int border = (window.width() - 568) / 2;
        const QImage dialog = window.copy(border, window.height() - 340 - border, 568, 340);
        window.save(QDir(QStringLiteral(VELMORA_SCREENSHOT_DIR))
                        .filePath(GameProcess::windowsBuild() ? QStringLiteral("e2e_about_windows.png")
                                                              : QStringLiteral("e2e_about.png")));
        QVERIFY2(border >= 0 && window.height() - 340 - border >= 0, "the About is smaller than 568 x 340");
        // The white line, 2 pixels high, runs over the rules text from x 7 to 376.
        for (int x = 7; x <= 376; ++x)
            QVERIFY(dialog.pixel(x, 163) == White && dialog.pixel(x, 164) == White);
        QVERIFY(dialog.pixel(377, 164) != White && dialog.pixel(6, 164) != White && dialog.pixel(200, 165) != White);
        QVERIFY(x_.sendKeyToFocus("alt+s"));
        const unsigned long message = x_.findWindow(QStringLiteral("Velmora"), 5000, game.pid());
        QVERIFY2(message, "System Info showed no message");
        QVERIFY(becomesActive(message));
        QVERIFY(x_.sendKeyToFocus("Return"));
        QVERIFY(waitFor([&] { return !x_.isViewable(message); }));
        QVERIFY2(activeOnWindows(about), "the About did not get the keyboard back");
        QVERIFY(x_.sendKeyToFocus("Escape"));
        QVERIFY2(waitFor([&] { return !x_.isViewable(about); }), "Esc did not close the About");
        QVERIFY2(game.exitWithF4(), "F4 did not end the game normally");
    }

    // Windows builds: with the tool's path in the registry, System Info
    // starts it (a stand-in that leaves a file beside itself).
    void systemInfoStartsTheToolTheRegistryNames()
    {
        if (!GameProcess::windowsBuild())
            QSKIP("no registry here");
        const QString program = GameProcess::command().constLast();
        const QFileInfo probe(QFileInfo(program).dir().filePath(QStringLiteral("sysinfo_probe.exe")));
        QVERIFY2(probe.exists(), qPrintable(probe.filePath()));
        QFile::remove(probe.dir().filePath(QStringLiteral("probe-started.txt")));
        const QString key = QStringLiteral("HKLM\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
        const QString windowsPath = QStringLiteral("Z:") + QString(probe.absoluteFilePath()).replace('/', '\\');
        // Both views of the registry: the 32-bit and the 64-bit program's.
        for (const char* view : {"/reg:32", "/reg:64"})
            QCOMPARE(QProcess::execute(QStringLiteral("wine"),
                                       {"reg", "add", key, "/v", "PATH", "/d", windowsPath, "/f", view}), 0);
        GameProcess game(x_);
        QVERIFY2(game.start(environment()), "the game showed no board");
        const unsigned long about = openAbout(game);
        QVERIFY2(about, "F1 opened no active About dialog");
        QVERIFY(x_.sendKeyToFocus("alt+s"));
        const bool started = waitFor([&] { return QFileInfo::exists(probe.dir().filePath(QStringLiteral("probe-started.txt"))); });
        for (const char* view : {"/reg:32", "/reg:64"})
            QProcess::execute(QStringLiteral("wine"), {"reg", "delete", key, "/f", view});
        QVERIFY2(started, "the tool named in the registry was not started");
        QVERIFY(x_.findWindow(QStringLiteral("Velmora"), 500, game.pid()) == 0);  // no message
        QVERIFY(activeOnWindows(game.window()));
        QVERIFY(x_.sendKeyToFocus("F4"));
        QVERIFY2(endedNormally(game.process(), 5000), "F4 did not end the game normally");
    }
};

QTEST_GUILESS_MAIN(TestEndToEndDesktop)
#include "tst_e2e_desktop.moc"
