// A whole timed game with the real executable: F2 starts it, the read-out
// under tower 2 counts the seconds on the screen, the default 60-second game
// is lost with both cues heard through PulseAudio and the "Game Over" box,
// the read-out counts on while the box is open and stops once it is closed,
// and F4 ends the program.

#include "sounding_game.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QTest>
#include <QThread>

#include <functional>

namespace {

// Where the read-out stands once a game has started: from (471, 490) on.
const QRect ReadoutArea(465, 485, 160, 50);

} // namespace

class TestEndToEndTimedGame : public QObject {
    Q_OBJECT

private:
    XSession x_;
    PulseServer pulse_;
    GameProcess game_{x_};
    unsigned long window_ = 0;

    QImage readout() const { return game_.client(ReadoutArea); }

    // Waits for the read-out to show something other than before; the time it took.
    qint64 nextChange(const QImage& before, int timeoutMs) const
    {
        QElapsedTimer timer;
        timer.start();
        if (!waitFor([&] { return readout() != before; }, timeoutMs))
            return -1;
        return timer.elapsed();
    }

private slots:
    void initTestCase()
    {
        QString reason;
        QVERIFY2(startSoundingGame(x_, pulse_, game_, &reason), qPrintable(reason));
        window_ = game_.window();
    }

    void wholeGameLostByTime()
    {
        SinkRecorder recorder(pulse_.fifo());
        QVERIFY(recorder.started());

        // Before the first game the read-out stands elsewhere, empty.
        QVERIFY(waitFor([&] { return !readout().isNull(); }, 5000));
        const QImage empty = readout();
        QVERIFY(x_.sendKey(window_, "F2"));

        // The count appears within a second or so and changes every second.
        QImage shown = empty;
        QVERIFY2(nextChange(shown, 2500) >= 0, "the read-out did not appear after F2");
        for (int second = 0; second < 3; ++second) {
            shown = readout();
            const qint64 took = nextChange(shown, 2000);
            QVERIFY2(took >= 0 && took < 1600, qPrintable(QString::number(took)));
        }
        QImage(readout()).save(QDir(QStringLiteral(VELMORA_SCREENSHOT_DIR)).filePath(QStringLiteral("e2e_readout.png")));

        // Lost at 60 seconds: the box comes after both cues have started.
        const unsigned long box = x_.findWindow(QStringLiteral("Game Over"), 75000);
        QVERIFY2(box != 0, "no Game Over box");
        const QImage board = x_.grab(window_);
        board.save(QDir(QStringLiteral(VELMORA_SCREENSHOT_DIR)).filePath(QStringLiteral("e2e_game_over.png")));

        // While the box is open the clock goes on and the read-out counts on.
        const qint64 counted = nextChange(readout(), 2500);
        QVERIFY2(counted >= 0, "the read-out stopped while the box was open");

        // The ring (1.0 s, 1500 and 1900 Hz) then the falling buzz (0.6 s, 330 to 220 Hz).
        QThread::msleep(800);
        const Recording heard = recorder.snapshot();
        const auto [first, last] = heard.loudSpan();
        QVERIFY2(last > first, "no cue was heard");
        const double span = heard.seconds(last - first);
        QVERIFY2(span > 1.45 && span < 1.8, qPrintable(QString::number(span)));
        const std::size_t tenth = static_cast<std::size_t>(PulseServer::Rate / 10);
        const double ring = heard.crossingsPerSecond(first + tenth, first + 8 * tenth);
        const double buzz = heard.crossingsPerSecond(last - 4 * tenth, last - tenth);
        QVERIFY2(ring > 3000 && ring < 3800, qPrintable(QString::number(ring)));
        QVERIFY2(buzz < 1500, qPrintable(QString::number(buzz)));

        // Closed with Enter: the clock stops, the read-out keeps its last number.
        QVERIFY(x_.sendKey(box, "Return"));
        QVERIFY2(waitFor([&] { return !x_.isViewable(box); }, 5000), "the box did not close");
        QThread::msleep(300);
        const QImage last_ = readout();
        QCOMPARE(nextChange(last_, 2000), qint64(-1));
    }

    void f4EndsTheProgram() { QVERIFY2(game_.exitWithF4(), "F4 did not end the game normally"); }
};

QTEST_GUILESS_MAIN(TestEndToEndTimedGame)
#include "tst_e2e_timed_game.moc"
