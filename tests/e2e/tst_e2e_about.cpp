// The About dialog with the real executable: F1 opens it while a game's
// read-out keeps counting, "System Info..." reports that the tool is
// unavailable (no registry here), and Esc closes it.

#include "x_session.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QTest>
#include <QThread>

#include <functional>

namespace {

constexpr int ClientHeight = 628;
const QRect ReadoutArea(465, 485, 160, 50);

bool waitFor(const std::function<bool()>& condition, int timeoutMs = 5000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(30);
    }
    return true;
}

} // namespace

class TestEndToEndAbout : public QObject {
    Q_OBJECT

private:
    XSession x_;
    QProcess game_;
    unsigned long window_ = 0;
    int menuHeight_ = 0;

    QImage readout() const
    {
        const QImage whole = x_.grab(window_);
        return whole.isNull() ? whole : whole.copy(ReadoutArea.translated(0, menuHeight_));
    }

private slots:
    void initTestCase()
    {
        QString reason;
        QVERIFY2(x_.open(&reason), qPrintable(reason));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), x_.displayName());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("SDL_AUDIODRIVER"), QStringLiteral("dummy"));
        game_.setProcessEnvironment(environment);
        game_.setProcessChannelMode(QProcess::ForwardedChannels);
        game_.start(QStringLiteral(VELMORA_EXECUTABLE), {});
        QVERIFY(game_.waitForStarted(10000));
        window_ = x_.findWindow(QStringLiteral("Form1"), 20000);
        QVERIFY2(window_ != 0, "no window titled Form1 appeared");
        menuHeight_ = x_.geometry(window_).height() - ClientHeight;
    }

    void cleanupTestCase()
    {
        if (game_.state() != QProcess::NotRunning) {
            game_.kill();
            game_.waitForFinished(5000);
        }
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
        x_.grab(about).save(QDir(QStringLiteral(VELMORA_SCREENSHOT_DIR)).filePath(QStringLiteral("e2e_about.png")));

        // No registry here: the button reports the tool unavailable, and the dialog stays.
        x_.click(about, QPoint(448 + 41, 312 + 11));
        const unsigned long message = x_.findWindow(QStringLiteral("Velmora"), 5000);
        QVERIFY2(message != 0, "System Info showed no message");
        QVERIFY(x_.sendKey(message, "Return"));
        QVERIFY(waitFor([&] { return !x_.isViewable(message); }));
        QVERIFY(x_.isViewable(about));

        QVERIFY(x_.sendKey(about, "Escape"));
        QVERIFY2(waitFor([&] { return !x_.isViewable(about); }), "Esc did not close the dialog");
        QVERIFY(x_.sendKey(window_, "F4"));
        QVERIFY(game_.waitForFinished(10000));
        QCOMPARE(game_.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestEndToEndAbout)
#include "tst_e2e_about.moc"
