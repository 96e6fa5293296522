// The real executable under a real window manager: the window centred, its
// first board as kept at one and two times the scale and kept from the
// drawing surface as the window grows and shrinks, then closed by its frame;
// and the About dialog with its texts, its lines, its message and
// the tool it starts, the keyboard following the windows as the desktop
// activates them. Keys go to whichever window is active.

#include "game_process.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace probe;

class TestEndToEndDesktop : public QObject {
    Q_OBJECT

private:
    XSession x_;

    bool becomesActive(unsigned long window) const
    {
        return waitFor([&] { return x_.activeWindow() == window; });
    }

    // Asks the window manager to activate the window, as a click would.
    bool bringForward(unsigned long window) const
    {
        x_.activate(window);
        return becomesActive(window);
    }

    // The program brings the window forward. Openbox raises a window Wine
    // activates by itself but leaves the keyboard where it was: for a Windows
    // build the test then gives it the keyboard, as a click would.
    bool comesForward(unsigned long window) const
    {
        if (!GameProcess::windowsBuild())
            return becomesActive(window);
        return waitFor([&] { return x_.topWindow() == window; }) && bringForward(window);
    }

    unsigned long openAbout(const GameProcess& game) const
    {
        if (!game.key("F1"))
            return 0;
        const unsigned long about = game.box(QStringLiteral("About Velmora"), 5000);
        return about && comesForward(about) ? about : 0;
    }

private slots:
    void initTestCase() { QVERIFY2(x_.isOpen(), "no X session"); }

    // Three pegs, ten disks on tower 1, the cursor over them, as kept: the
    // Windows build draws the very board of the Linux build. Closed by its
    // frame, the program ends with status 0. Then the board at twice the scale.
    void theWindowIsCentredAndItsBoardKeptAtEveryScale()
    {
        GameProcess game(x_);
        QVERIFY2(game.start(), "the game showed no board");
        QCOMPARE(x_.geometry(game.window()).width(), GameProcess::ClientWidth);
        QVERIFY2(game.menuHeight() > 10 && game.menuHeight() < 60, qPrintable(QString::number(game.menuHeight())));
        // Windows centres the whole frame, whose title bar Wine keeps outside;
        // Wine may map the window first and move it there after.
        const int slack = GameProcess::windowsBuild() ? 32 : 1;
        const QSize screen = x_.screenSize();
        QRect geometry;
        QVERIFY2(waitFor([&] {
            geometry = x_.geometry(game.window());
            return std::abs(geometry.x() - (screen.width() - geometry.width()) / 2) <= slack
                && std::abs(geometry.y() - (screen.height() - geometry.height()) / 2) <= slack;
        }), qPrintable(QStringLiteral("window at %1,%2 on %3x%4").arg(geometry.x()).arg(geometry.y()).arg(screen.width()).arg(screen.height())));
        const auto board = [&] { return game.client(); };
        QVERIFY2(looksAsKept(board, QStringLiteral("board")), "the board differs from its kept picture");

        // Grown and back, the board stays at the top left.
        const QSize large = geometry.size() + QSize(300, 200);
        x_.moveResize(game.window(), QRect(QPoint(0, 0), large));
        QVERIFY(waitFor([&] {
            const QImage whole = x_.grab(game.window());
            return whole.size() == large && whole.pixel(large.width() - 5, large.height() - 5) == Background;
        }));
        QVERIFY2(looksAsKept(board, QStringLiteral("board")), "the board moved when the window grew");
        x_.moveResize(game.window(), geometry);
        QVERIFY(waitFor([&] { return x_.geometry(game.window()).size() == geometry.size(); }));
        QVERIFY2(looksAsKept(board, QStringLiteral("board")), "the board changed when the window shrank back");
        x_.closeByFrame(game.window());
        QVERIFY2(game.endsNormally(5000), "closing the window by its frame did not end the program normally");

        // At twice the scale (192 dots per inch on Windows) every pixel of the
        // board becomes a square of four.
        GameProcess doubled(x_, 2);
        QVERIFY2(doubled.start(), "the game showed no board at 2x");
        const QImage kept = QImage(QStringLiteral(VELMORA_PICTURES_DIR "/board.png")).convertToFormat(QImage::Format_RGB32);
        const QImage twice = kept.scaled(kept.size() * 2);  // nearest pixel: each one doubled
        QVERIFY2(waitFor([&] { return doubled.client() == twice; }), "the board at 2x is not the board doubled");
        doubled.client().save(QStringLiteral(VELMORA_SCREENSHOT_DIR "/e2e_board_2x.png"));
        QVERIFY(doubled.exitWithF4());
    }

    // F1 twice, Esc, F1, Alt+S, Enter on the message: every key reaches the
    // window the player sees in front, one About serves both F1s, and Esc
    // unloads it as its OK does. There is no registry here, so System Info
    // says the tool is unavailable. Then the main window is closed by its
    // frame: the About stays, its message still shows over it, and its own
    // close box closes it, the last window, ending the program.
    void aboutWithItsMessage()
    {
        GameProcess game(x_);
        QVERIFY2(game.start(), "the game showed no board");
        unsigned long about = openAbout(game);
        QVERIFY2(about, "F1 opened no active About dialog");
        // Title, version, rules, the closing line and the two lines, as kept.
        x_.parkPointer();  // off every window: no button looks hovered
        QVERIFY2(looksAsKept([&] { return x_.grab(about); }, "about"), "the About differs from its kept picture");
        QVERIFY(bringForward(game.window()));
        QVERIFY(x_.sendKeyToFocus("F1"));
        QVERIFY2(comesForward(about), "a second F1 did not bring the About forward");
        QVERIFY2(holdsFor([&] { return x_.windows(QStringLiteral("About Velmora"), game.pid()).size() == 1; }, 500),
                 "a second F1 opened a second About");
        QVERIFY(x_.sendKeyToFocus("Escape"));
        QVERIFY2(waitFor([&] { return !x_.isViewable(about); }), "Esc did not close the About");
        QVERIFY2(becomesActive(game.window()), "the main window did not get the keyboard back");
        QVERIFY2((about = openAbout(game)), "F1 did not open the About again");

        for (const bool mainWindowOpen : {true, false}) {
            QVERIFY(x_.sendKeyToFocus("alt+s"));
            const unsigned long message = game.box(QStringLiteral("Velmora"), 5000);
            QVERIFY2(message, mainWindowOpen ? "System Info showed no message"
                                             : "System Info showed no message once the main window was closed");
            QVERIFY(becomesActive(message));
            if (mainWindowOpen) {
                QVERIFY2(looksAsKept([&] { return x_.grab(message); }, "unavailable"), "the message differs from its kept picture");
                // Modal to the whole program: the main window, clicked, leaves
                // the keyboard with the message, whose Enter still closes it.
                x_.click(game.window(), QPoint(20, 600));
                QVERIFY2(waitFor([&] { return holdsFor([&] { return x_.activeWindow() == message; }, 300); }),
                         "a click on the main window took the keyboard from the message");
            }
            QVERIFY(x_.sendKeyToFocus("Return"));
            QVERIFY(waitFor([&] { return !x_.isViewable(message); }));
            QVERIFY2(comesForward(about), "the About did not get the keyboard back");
            if (mainWindowOpen) {
                x_.closeByFrame(game.window());
                QVERIFY2(waitFor([&] { return !x_.isViewable(game.window()); }), "the main window did not close");
                QVERIFY2(holdsFor([&] { return game.process().state() == QProcess::Running; }, 500),
                         "the program ended under the About");
                QVERIFY(x_.isViewable(about) && becomesActive(about));
            }
        }
        x_.closeByFrame(about);
        QVERIFY2(game.endsNormally(5000), "the About's close box, on the last window, did not end the program");
    }

    // Windows builds: what a screen reader reads through Microsoft Active
    // Accessibility (a helper built with the game, reading each window as one
    // does): the controls by their names, and the board in words. And what
    // one hears, listening as it does from before the game starts: the board
    // takes the keyboard as the window opens and again as the About closes
    // (a focus event, its state saying focused, which is what a reader
    // follows), and a value change with the new words follows a lift and a
    // drop.
    void aScreenReaderHearsTheControlsAndTheBoard()
    {
        if (!GameProcess::windowsBuild())
            QSKIP("Microsoft Active Accessibility is Windows'; Linux's is heard by Orca in tst_e2e_orca");
        const QString probe = QFileInfo(GameProcess::command().constLast()).dir().filePath(QStringLiteral("accessibility_probe.exe"));
        QProcess listener;
        listener.start(GameProcess::command().constFirst(), {probe, QStringLiteral("--listen"), QStringLiteral("120")});
        QString events;
        const auto heardSoFar = [&](const char* event) {
            events += QString::fromUtf8(listener.readAllStandardOutput()).remove('\r');
            return events.count(QLatin1String(event));
        };
        QVERIFY2(waitFor([&] { return heardSoFar("listening\n") == 1; }, 30000), "the listener did not start");
        const char* boardFocused = "focus\tBoard\tfocused\n";
        GameProcess game(x_);
        QVERIFY2(game.start(), "the game showed no board");
        QVERIFY2(waitFor([&] { return heardSoFar(boardFocused) > 0; }), qPrintable(events));

        const auto read = [&] {
            QProcess reader;
            reader.start(GameProcess::command().constFirst(), {probe});
            return reader.waitForFinished(30000) ? QString::fromUtf8(reader.readAllStandardOutput()).remove('\r') : QString();
        };
        QVERIFY(game.key("ctrl+o") && waitFor([&] { return panelShown(game.client()); }));
        const QString atStart = read();
        for (const char* name : {"Time\t60", "Level\t10", "Time Up\t", "Time Down\t", "Level Up\t", "Level Down\t",
                                 "Elapsed seconds\t"})
            QVERIFY2(atStart.contains(QLatin1Char('\n') + QLatin1String(name)), qPrintable(atStart));
        QVERIFY2(atStart.startsWith("Board\tTower 1: disks 1, 2, 3, 4, 5, 6, 7, 8, 9, 10. Tower 2: empty. Tower 3: empty. "
                                    "The cursor is over tower 1. No disk in hand.\n"), qPrintable(atStart));

        QVERIFY(game.key("F2") && game.key("space"));
        QVERIFY2(waitFor([&] { return heardSoFar("value\tBoard\tTower 1: disks 1, 2, 3, 4, 5, 6, 7, 8, 9. Tower 2: empty. "
                                                 "Tower 3: empty. The cursor is over tower 1. Disk 10 is in hand.\n") > 0; }),
                 qPrintable(events));
        QVERIFY(game.key("Right") && game.key("space"));
        QVERIFY2(waitFor([&] { return heardSoFar("value\tBoard\tTower 1: disks 1, 2, 3, 4, 5, 6, 7, 8, 9. Tower 2: disk 10. "
                                                 "Tower 3: empty. The cursor is over tower 2. No disk in hand.\n") > 0; }),
                 qPrintable(events));
        const int focusedBefore = heardSoFar(boardFocused);
        const unsigned long about = openAbout(game);
        QVERIFY(about && x_.sendKeyToFocus("Escape") && waitFor([&] { return !x_.isViewable(about); }));
        QVERIFY2(waitFor([&] { return heardSoFar(boardFocused) > focusedBefore; }), qPrintable(events));
        QVERIFY(game.exitWithF4());
        listener.kill();
        listener.waitForFinished();
    }

    // Windows builds: opening and closing the About keeps nothing. The
    // program's GDI objects (read by a helper from its handle table, which
    // Wine's GetGuiResources does not report) are as many after twenty more
    // openings as after the first two.
    void theAboutKeepsNoGdiObject()
    {
        if (!GameProcess::windowsBuild())
            QSKIP("GDI objects are Windows'");
        GameProcess game(x_);
        QVERIFY2(game.start(), "the game showed no board");
        const auto openAndClose = [&](int times) {
            for (int opening = 0; opening < times; ++opening) {
                const unsigned long about = openAbout(game);
                if (!about || !x_.sendKeyToFocus("Escape") || !waitFor([&] { return !x_.isViewable(about); }))
                    return false;
            }
            return true;
        };
        // The 64-bit counter, whichever width the program has.
        const QStringList counterCommand = qEnvironmentVariable("VELMORA_GDI_COUNTER").split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QVERIFY2(counterCommand.size() == 2, "VELMORA_GDI_COUNTER names no loader and counter");
        const auto gdiObjects = [&] {
            QProcess counter;
            counter.start(counterCommand.first(), {counterCommand.last(), QFileInfo(GameProcess::command().constLast()).fileName()});
            return counter.waitForFinished(30000) ? counter.readAllStandardOutput().trimmed().toInt() : -1;
        };
        QVERIFY(openAndClose(2));
        const int before = gdiObjects();
        QVERIFY2(before > 0, "the GDI objects could not be counted");
        QVERIFY(openAndClose(20));
        QCOMPARE(gdiObjects(), before);
        QVERIFY(game.exitWithF4());
    }

    // Windows builds: System Info starts the tool the registry names, and
    // only a program counts. A stand-in tool leaves a file beside itself.
    void systemInfoStartsOnlyAProgram_data()
    {
        QTest::addColumn<QString>("path");    // in the tools folder: the first location's value
        QTest::addColumn<QString>("folder");  // the second's
        QTest::addColumn<bool>("started");
        QTest::newRow("first location") << "MSINFO32.EXE" << "" << true;
        QTest::newRow("first location naming a folder") << "empty" << "" << false;
        QTest::newRow("second location") << "" << "." << true;
        QTest::newRow("second location without the tool") << "" << "empty" << false;
    }

    void systemInfoStartsOnlyAProgram()
    {
        if (!GameProcess::windowsBuild())
            QSKIP("no registry here");
        QFETCH(QString, path);
        QFETCH(QString, folder);
        QFETCH(bool, started);
        QTemporaryDir tools;
        QVERIFY(QDir(tools.path()).mkpath(QStringLiteral("empty")));
        const QString probe = QFileInfo(GameProcess::command().constLast()).dir().filePath(QStringLiteral("sysinfo_probe.exe"));
        QVERIFY2(QFile::copy(probe, tools.filePath(QStringLiteral("MSINFO32.EXE"))), qPrintable(probe));
        // Both views, each named: the one a 64-bit program reads and the one
        // a 32-bit program reads. Wine's "reg" is 32-bit or 64-bit as its
        // loader is, and left to itself writes its own view only.
        const QString key = QStringLiteral("HKLM\\SOFTWARE\\Microsoft\\Shared Tools");
        const auto add = [&](const QString& subKey, const char* name, const QString& file, const QString& view) {
            const QString windowsPath = "Z:" + QDir::toNativeSeparators(QDir::cleanPath(tools.filePath(file)));
            return file.isEmpty() || QProcess::execute(GameProcess::command().constFirst(),
                                                       {"reg", "add", key + subKey, "/v", name, "/d", windowsPath, "/f", view}) == 0;
        };
        for (const QString view : {"/reg:32", "/reg:64"}) {
            for (const QString old : {"\\MSINFO", " Location"})  // fails where there is none
                QProcess::execute(GameProcess::command().constFirst(), {"reg", "delete", key + old, "/f", view});
            QVERIFY(add("\\MSINFO", "PATH", path, view) && add(" Location", "MSINFO", folder, view));
        }

        GameProcess game(x_);
        QVERIFY2(game.start(), "the game showed no board");
        const unsigned long about = openAbout(game);
        QVERIFY2(about, "F1 opened no active About dialog");
        QVERIFY(x_.sendKeyToFocus("alt+s"));
        const QString startedFile = tools.filePath(QStringLiteral("probe-started.txt"));
        unsigned long message = 0;
        QVERIFY2(waitFor([&] {
            message = game.box(QStringLiteral("Velmora"), 0);
            return message || QFileInfo::exists(startedFile);
        }), "System Info neither started the tool nor said why not");
        QCOMPARE(QFileInfo::exists(startedFile), started);
        if (started)
            QVERIFY2(holdsFor([&] { return game.box(QStringLiteral("Velmora"), 0) == 0; }, 500), "a message after the start");
        else
            QVERIFY(game.closeBox(message));
        QVERIFY(bringForward(game.window()));
        QVERIFY(x_.sendKeyToFocus("F4"));
        QVERIFY2(game.endsNormally(5000), "F4 did not end the game normally");
    }
};

QTEST_GUILESS_MAIN(TestEndToEndDesktop)
#include "tst_e2e_desktop.moc"
