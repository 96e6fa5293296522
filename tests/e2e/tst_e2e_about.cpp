// The About dialog with the real executable: F1 opens it while a game's
// read-out keeps counting, "System Info..." reports that the tool is
// unavailable (no registry here), and Esc closes it.

#include "game_process.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QTest>
#include <QThread>

#include <functional>

namespace {

const QRect ReadoutArea(465, 485, 160, 50);

} // namespace

class TestEndToEndAbout : public QObject {
    Q_OBJECT

private:
    XSession x_;
    GameProcess game_{x_};
    unsigned long window_ = 0;

    QImage readout() const { return game_.client(ReadoutArea); }

private slots:
    void initTestCase()
    {
        QString reason;
        QVERIFY2(x_.open(&reason), qPrintable(reason));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
        QVERIFY2(game_.start(environment), "the game showed no board");
        window_ = game_.window();
    }

    void aboutOpensWhileTheGameGoesOn()
    {
        QVERIFY(x_.sendKey(window_, "F2"));
        QThread::msleep(1200);
        QVERIFY(x_.sendKey(window_, "F1"));
        const unsigned long about = x_.findWindow(QStringLiteral("About Velmora"), 5000);
        QVERIFY2(about != 0, "F1 opened no About Velmora window");
        const QRect placed = x_.geometry(about);
        QCOMPARE(placed.size(), QSize(568, 340));
        // Out of the read-out's way, then watch the read-out count on.
        x_.moveResize(about, QRect(QPoint(0, 0), placed.size()));
        QVERIFY(waitFor([&] { return x_.geometry(about).topLeft() == QPoint(0, 0); }));
        const QImage before = readout();
        QVERIFY2(waitFor([&] { return readout() != before; }, 2500), "the clock stopped while About was open");
        const QImage dialog = x_.grab(about);
        dialog.save(QDir(QStringLiteral(VELMORA_SCREENSHOT_DIR)).filePath(QStringLiteral("e2e_about.png")));
        // The white line, 2 pixels high, runs over the rules text from x 7 to 376.
        const QRgb white = qRgb(255, 255, 255);
        for (int x = 7; x <= 376; ++x) {
            QCOMPARE(dialog.pixel(x, 163), white);
            QCOMPARE(dialog.pixel(x, 164), white);
        }
        QVERIFY(dialog.pixel(377, 164) != white && dialog.pixel(6, 164) != white && dialog.pixel(200, 165) != white);

        // No registry here: the button reports the tool unavailable, and the dialog stays.
        x_.click(about, QPoint(448 + 41, 312 + 11));
        const unsigned long message = x_.findWindow(QStringLiteral("Velmora"), 5000);
        QVERIFY2(message != 0, "System Info showed no message");
        QVERIFY(x_.sendKey(message, "Return"));
        QVERIFY(waitFor([&] { return !x_.isViewable(message); }));
        QVERIFY(x_.isViewable(about));

        QVERIFY(x_.sendKey(about, "Escape"));
        QVERIFY2(waitFor([&] { return !x_.isViewable(about); }), "Esc did not close the dialog");
        QVERIFY2(game_.exitWithF4(), "F4 did not end the game normally");
    }
};

QTEST_GUILESS_MAIN(TestEndToEndAbout)
#include "tst_e2e_about.moc"
