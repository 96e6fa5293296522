// The options panel with the real executable, real keys and real clicks: four
// disks chosen with the buttons and won in fifteen moves with the win cue
// heard; a typed limit of 3 seconds lost; "abc" refused while the game goes on.

#include "sounding_game.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <QThread>

#include <functional>
#include <vector>

namespace {

const QRgb Navy = qRgb(0, 0, 128);
const QRgb PanelBlue = qRgb(0, 0, 255);

// Centres of the panel's controls in the client area (the panel stands at 8, 432).
const QPoint TimeBox(8 + 176 + 28, 432 + 48 + 20);
const QPoint LevelDown(8 + 240 + 32, 432 + 104 + 20);
const QPoint OkButton(8 + 328 + 52, 432 + 72 + 20);

void solve(int disks, int from, int to, std::vector<std::pair<int, int>>& moves)
{
    if (disks == 0)
        return;
    solve(disks - 1, from, 6 - from - to, moves);
    moves.emplace_back(from, to);
    solve(disks - 1, 6 - from - to, to, moves);
}

} // namespace

class TestEndToEndOptions : public QObject {
    Q_OBJECT

private:
    XSession x_;
    PulseServer pulse_;
    GameProcess game_{x_};
    unsigned long window_ = 0;

    QImage client() const { return game_.client(); }

    bool panelShown() const
    {
        const QImage board = client();
        return !board.isNull() && board.pixel(15, 590) == PanelBlue;
    }

    void clickAt(QPoint inClient) const { game_.click(inClient); }

    void key(const char* name) { QVERIFY(game_.key(name)); }

    // Types into the time box as a player would: click it, select all, type.
    void typeTime(const QString& text)
    {
        clickAt(TimeBox);
        QThread::msleep(100);
        key("ctrl+a");
        QVERIFY(x_.type(window_, text));
        QThread::msleep(100);
    }

    // Closes a box with Enter and waits until it has gone.
    void closeBox(unsigned long box)
    {
        QVERIFY(x_.sendKey(box, "Return"));
        QVERIFY2(waitFor([&] { return !x_.isViewable(box); }), "the box did not close");
    }

    // The panel's top border runs through the middle of its caption and is
    // broken behind it.
    static void captionIsSetIntoTheFrame(const QImage& board)
    {
        const QRgb grey = qRgb(128, 128, 128);
        int line = 432;
        while (line < 470 && board.pixel(8 + 300, line) != grey)
            ++line;
        QVERIFY2(line < 470, "the panel has no top border");
        auto captionPixels = [&](int fromY, int toY) {
            int count = 0;
            for (int y = fromY; y < toY; ++y)
                for (int x = 8; x < 120; ++x)
                    count += board.pixel(x, y) == qRgb(0, 0, 0) ? 1 : 0;
            return count;
        };
        QVERIFY2(captionPixels(432, line) > 20, "no caption above the border line");
        QVERIFY2(captionPixels(line + 1, line + 20) > 20, "no caption below the border line");
        for (int x = 8 + 12; x < 8 + 60; ++x)
            QVERIFY2(board.pixel(x, line) != grey, "the border line runs through the caption");
        QCOMPARE(board.pixel(8 + 2, line), grey);
    }

private slots:
    void initTestCase()
    {
        QString reason;
        QVERIFY2(startSoundingGame(x_, pulse_, game_, &reason), qPrintable(reason));
        window_ = game_.window();
    }

    void fourDisksChosenWithTheButtonsAndWon()
    {
        key("ctrl+o");
        const bool shown = waitFor([&] { return panelShown(); });
        client().save(QDir(QStringLiteral(VELMORA_SCREENSHOT_DIR)).filePath(QStringLiteral("e2e_options.png")));
        QVERIFY2(shown, "Ctrl+O did not open the panel");
        captionIsSetIntoTheFrame(client());
        for (int i = 0; i < 6; ++i) {  // 10 down to 4
            clickAt(LevelDown);
            QThread::msleep(60);
        }
        clickAt(OkButton);
        QVERIFY2(waitFor([&] { return !panelShown(); }), "Ok did not close the panel");
        // Four disks: the fourth (the top one) from y 246; nothing above it.
        const QImage four = client();
        four.save(QDir(QStringLiteral(VELMORA_SCREENSHOT_DIR)).filePath(QStringLiteral("e2e_four_disks.png")));
        int navyAtFourth = 0;
        int navyAtFifth = 0;
        for (int x = 100; x < 215; ++x) {
            navyAtFourth += four.pixel(x, 258) == Navy ? 1 : 0;
            navyAtFifth += four.pixel(x, 238) == Navy ? 1 : 0;
        }
        QVERIFY(navyAtFourth > 20);
        QCOMPARE(navyAtFifth, 0);

        SinkRecorder recorder(pulse_.fifo());
        QVERIFY(recorder.started());
        key("F2");
        std::vector<std::pair<int, int>> moves;
        solve(4, 1, 3, moves);
        int at = 1;
        auto goTo = [&](int tower) {
            while (at != tower) {
                key("Right");
                at = at % 3 + 1;
                QThread::msleep(20);
            }
        };
        for (const auto& [from, to] : moves) {
            goTo(from);
            key("space");
            QThread::msleep(40);
            goTo(to);
            key("space");
            QThread::msleep(40);
        }
        const unsigned long won = x_.findWindow(QStringLiteral("Finish ...."), 10000);
        if (!won)
            client().save(QDir(QStringLiteral(VELMORA_SCREENSHOT_DIR)).filePath(QStringLiteral("e2e_not_won.png")));
        QVERIFY2(won != 0, "no Finish box after the fifteenth move");
        QThread::msleep(1400);
        const Recording heard = recorder.snapshot();
        const auto sounds = heard.sounds();
        QVERIFY(!sounds.empty());
        // The moves' cues run together; the last 1.2 s are the win's arpeggio of
        // high notes, which cut the final drop's low knock short.
        const auto [first, last] = sounds.back();
        QVERIFY(heard.seconds(last - first) > 1.15);
        const std::size_t tenth = PulseServer::Rate / 10;
        const double win = heard.crossingsPerSecond(last - 11 * tenth, last - tenth);
        QVERIFY2(win > 900, qPrintable(QString::number(win)));
        QCOMPARE(heard.loudSpan().second, last);  // and nothing after it
        x_.grab(won).save(QDir(QStringLiteral(VELMORA_SCREENSHOT_DIR)).filePath(QStringLiteral("e2e_won_box.png")));
        client().save(QDir(QStringLiteral(VELMORA_SCREENSHOT_DIR)).filePath(QStringLiteral("e2e_won.png")));
        closeBox(won);
    }

    // The first Tab into the freshly opened panel reaches the time box and
    // selects its text, so typing replaces it.
    void aTypedLimitOfThreeSecondsLoses()
    {
        key("ctrl+o");
        QVERIFY(waitFor([&] { return panelShown(); }));
        key("Tab");
        QVERIFY(x_.type(window_, QStringLiteral("3")));
        clickAt(OkButton);
        QVERIFY(waitFor([&] { return !panelShown(); }));
        QElapsedTimer clock;
        key("F2");
        clock.start();
        const unsigned long lost = x_.findWindow(QStringLiteral("Game Over"), 10000);
        QVERIFY2(lost != 0, "no Game Over box");
        // Three ticks, then the one-second ring before the box.
        QVERIFY2(clock.elapsed() > 3500 && clock.elapsed() < 5500, qPrintable(QString::number(clock.elapsed())));
        closeBox(lost);
    }

    void abcIsRefusedAndTheGameGoesOn()
    {
        key("ctrl+o");
        QVERIFY(waitFor([&] { return panelShown(); }));
        typeTime(QStringLiteral("abc"));
        key("F2");  // the panel stays open through the game
        QThread::msleep(200);
        clickAt(OkButton);
        const unsigned long refusal = x_.findWindow(QStringLiteral("Velmora"), 5000);
        QVERIFY2(refusal != 0, "no refusal box");
        x_.grab(refusal).save(QDir(QStringLiteral(VELMORA_SCREENSHOT_DIR)).filePath(QStringLiteral("e2e_refusal.png")));
        closeBox(refusal);
        QVERIFY(panelShown());

        // The game still runs: Space lifts the top disk onto the sprite.
        const QRect sprite(118, 22, 77, 76);
        const QImage before = client().copy(sprite);
        key("space");
        QVERIFY2(waitFor([&] { return client().copy(sprite) != before; }, 2500), "the game stopped");
    }

    void f4EndsTheProgram() { QVERIFY2(game_.exitWithF4(), "F4 did not end the game normally"); }
};

QTEST_GUILESS_MAIN(TestEndToEndOptions)
#include "tst_e2e_options.moc"
