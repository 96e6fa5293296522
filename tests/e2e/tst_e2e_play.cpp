// Playing the real program with real keys and clicks, heard through a sound
// server of the test's own: lift, drop and a refused drop with their cues;
// a limit of three seconds typed after the panel's first Tab and lost, the
// whole ring heard before the lost game's buzz and the read-out counting on
// under the box; four disks chosen in the panel and won, the win cue cutting
// the last drop's short; "abc" refused while the game goes on.

#include "sounding_game.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>

#include <functional>
#include <vector>

namespace {

const QRgb Background = qRgb(192, 192, 0);
const QRgb Navy = qRgb(0, 0, 128);
const QRgb PanelBlue = qRgb(0, 0, 255);
const QRgb Grey = qRgb(128, 128, 128);

// Centres of the panel's controls in the client area (the panel stands at 8, 432).
const QPoint LevelDown(8 + 240 + 32, 432 + 104 + 20);
const QPoint OkButton(8 + 328 + 52, 432 + 72 + 20);
const QRect Readout(465, 485, 160, 50);

int count(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& matches)
{
    int found = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            found += matches(image.pixel(x, y)) ? 1 : 0;
    return found;
}

bool isNavy(QRgb pixel) { return pixel == Navy; }
bool isGreen(QRgb pixel) { return qGreen(pixel) > 120 && qRed(pixel) < 100 && qBlue(pixel) < 100; }
bool isGrey(QRgb pixel)
{
    const int r = qRed(pixel);
    return r > 90 && r < 245 && std::abs(r - qGreen(pixel)) < 12 && std::abs(r - qBlue(pixel)) < 12;
}

// The sprite's picture over a tower (its left edge at 115.5, 429.5, 743.5).
QRect spriteOver(int tower)
{
    return QRect((tower == 1 ? 116 : tower == 2 ? 430 : 744) + 2, 22, 77, 76);
}

void solve(int disks, int from, int to, std::vector<std::pair<int, int>>& moves)
{
    if (disks == 0)
        return;
    solve(disks - 1, from, 6 - from - to, moves);
    moves.emplace_back(from, to);
    solve(disks - 1, 6 - from - to, to, moves);
}

} // namespace

class TestEndToEndPlay : public QObject {
    Q_OBJECT

private:
    XSession x_;
    PulseServer pulse_;
    GameProcess game_{x_};
    int tower_ = 1;

    QImage board() const { return game_.client(); }
    bool key(const char* name) const { return game_.key(name); }
    bool sprite(int tower, bool (*looks)(QRgb)) const { return count(board(), spriteOver(tower), looks) > 1500; }
    bool panelShown() const { return board().pixel(15, 590) == PanelBlue; }
    void save(const QImage& image, const char* name) const
    {
        image.save(QDir(QStringLiteral(VELMORA_SCREENSHOT_DIR)).filePath(QString::fromLatin1(name)));
    }

    void goTo(int tower)
    {
        for (; tower_ != tower; tower_ = tower_ % 3 + 1)
            QVERIFY(key("Right"));
    }

    void closeBox(unsigned long box) const
    {
        QVERIFY(x_.sendKey(box, "Return"));
        QVERIFY2(waitFor([&] { return !x_.isViewable(box); }), "the box did not close");
    }

    // The panel's top border runs through the middle of its caption, broken
    // behind it.
    static void captionIsSetIntoTheFrame(const QImage& image)
    {
        int line = 432;
        while (line < 470 && image.pixel(8 + 300, line) != Grey)
            ++line;
        QVERIFY2(line < 470, "the panel has no top border");
        const auto black = [](QRgb pixel) { return pixel == qRgb(0, 0, 0); };
        QVERIFY2(count(image, QRect(8, 432, 112, line - 432), black) > 20, "no caption above the border");
        QVERIFY2(count(image, QRect(8, line + 1, 112, 20), black) > 20, "no caption below the border");
        QCOMPARE(count(image, QRect(20, line, 48, 1), [](QRgb pixel) { return pixel == Grey; }), 0);
        QCOMPARE(image.pixel(10, line), Grey);
    }

    // Types into the time box as a player would: click it, select all, type.
    void typeTime(const QString& text) const
    {
        game_.click(QPoint(8 + 176 + 28, 432 + 48 + 20));
        QThread::msleep(100);
        QVERIFY(key("ctrl+a"));
        QVERIFY(x_.type(game_.window(), text));
    }

private slots:
    void initTestCase()
    {
        QString reason;
        QVERIFY2(startSoundingGame(x_, pulse_, game_, &reason), qPrintable(reason));
    }

    // The panel opened before the game stays open through it.
    void liftDropAndARefusedDrop()
    {
        QVERIFY(key("ctrl+o"));
        QVERIFY2(waitFor([&] { return panelShown(); }), "Ctrl+O did not open the panel");
        save(board(), "e2e_options.png");
        if (!GameProcess::windowsBuild())  // Windows draws its own group box
            captionIsSetIntoTheFrame(board());

        SinkRecorder recorder(pulse_.fifo());
        QVERIFY(recorder.started());
        QVERIFY(key("F2"));
        // The top disk (level 10: x 131, y 132) goes onto the sprite as the grey disk in hand.
        const QRect topDisk(131, 132, 52, 18);
        QVERIFY(count(board(), topDisk, isNavy) > 50);
        QVERIFY(key("space"));
        QVERIFY2(waitFor([&] { return sprite(1, isGrey); }), "no disk on the sprite");
        QCOMPARE(count(board(), topDisk, isNavy), 0);
        QThread::msleep(300);
        goTo(3);
        QVERIFY(key("space"));
        // Disk 10 at the bottom of tower 3 (x 759, y 303), and the cursor again.
        QVERIFY2(waitFor([&] { return sprite(3, isGreen); }), "no cursor after the drop");
        QVERIFY(count(board(), QRect(759, 303, 52, 30), isNavy) > 200);
        QCOMPARE(count(board(), QRect(700, 303, 50, 87), [](QRgb p) { return p != Background; }), 0);
        QThread::msleep(300);

        // Disk 9 over the smaller disk 10: refused, not a pixel changes, no cue.
        goTo(1);
        QVERIFY(key("space"));
        QVERIFY(waitFor([&] { return sprite(1, isGrey); }));
        QThread::msleep(300);
        goTo(3);
        QVERIFY(waitFor([&] { return sprite(3, isGrey); }));
        const QRect play(0, 0, GameProcess::ClientWidth, 470);  // above the counting read-out
        const QImage before = board().copy(play);
        QVERIFY(key("space"));
        QThread::msleep(600);
        QVERIFY2(board().copy(play) == before, "a refused drop changed the screen");
        save(board(), "e2e_moves.png");

        // Heard: lift (a rising whistle), drop (a low knock), lift.
        const Recording heard = recorder.snapshot();
        const auto sounds = heard.sounds();
        QCOMPARE(sounds.size(), std::size_t{3});
        QVERIFY(heard.crossingsPerSecond(sounds[0].first, sounds[0].second) > 1500);
        QVERIFY(heard.crossingsPerSecond(sounds[1].first, sounds[1].second) < 1000);
        QVERIFY(heard.crossingsPerSecond(sounds[2].first, sounds[2].second) > 1500);
    }

    // The first Tab into the panel reaches the time box with its text
    // selected, so "3" replaces it. Ok during the game keeps its clock; the
    // next start counts to 3 and loses, and the read-out counts on under the box.
    void aTypedLimitOfThreeSecondsLoses()
    {
        QVERIFY(key("Tab"));
        QVERIFY(x_.type(game_.window(), QStringLiteral("3")));
        game_.click(OkButton);
        QVERIFY2(waitFor([&] { return !panelShown(); }), "Ok did not close the panel");
        tower_ = 1;
        SinkRecorder recorder(pulse_.fifo());
        QVERIFY(recorder.started());
        QElapsedTimer clock;
        QVERIFY(key("F2"));
        clock.start();
        const unsigned long lost = x_.findWindow(QStringLiteral("Game Over"), 10000, game_.pid());
        QVERIFY2(lost != 0, "no Game Over box");
        // Three ticks, then the one-second ring before the box.
        QVERIFY2(clock.elapsed() > 3500 && clock.elapsed() < 5500, qPrintable(QString::number(clock.elapsed())));
        const QImage counted = game_.client(Readout);
        const bool countedOn = waitFor([&] { return game_.client(Readout) != counted; }, 2500);
        save(x_.grab(lost), "e2e_lost_box.png");
        QThread::msleep(1200);  // the lost game's buzz, 0.6 s, sounds under the box
        const Recording heard = recorder.snapshot();
        closeBox(lost);
        QVERIFY2(countedOn, "the read-out stopped under the box");
        // Heard: the whole one-second ring, which the game waits for, then
        // the falling buzz of the lost game.
        const auto [first, last] = heard.loudSpan();
        const std::size_t tenth = PulseServer::Rate / 10;
        QVERIFY2(heard.seconds(last - first) > 1.5 && heard.seconds(last - first) < 1.75,
                 qPrintable(QString::number(heard.seconds(last - first))));
        QVERIFY(heard.crossingsPerSecond(first, first + 9 * tenth) > 3000);
        QVERIFY(heard.crossingsPerSecond(last - 4 * tenth, last) < 1500);
        const QImage stopped = game_.client(Readout);
        QThread::msleep(1300);
        QVERIFY2(game_.client(Readout) == stopped, "the clock ran on after the box");
    }

    void fourDisksChosenWithTheButtonsAndWon()
    {
        QVERIFY(key("ctrl+o"));
        QVERIFY(waitFor([&] { return panelShown(); }));
        typeTime(QStringLiteral("60"));
        for (int i = 0; i < 6; ++i) {  // 10 down to 4
            game_.click(LevelDown);
            QThread::msleep(60);
        }
        game_.click(OkButton);
        QVERIFY(waitFor([&] { return !panelShown(); }));
        // Four disks: the fourth, the top one, from y 246; nothing above it.
        QVERIFY(count(board(), QRect(100, 258, 115, 1), isNavy) > 20);
        QCOMPARE(count(board(), QRect(100, 238, 115, 1), isNavy), 0);

        SinkRecorder recorder(pulse_.fifo());
        QVERIFY(recorder.started());
        QVERIFY(key("F2"));
        std::vector<std::pair<int, int>> moves;
        solve(4, 1, 3, moves);
        for (const auto& [from, to] : moves) {
            goTo(from);
            QVERIFY(key("space"));
            goTo(to);
            QVERIFY(key("space"));
        }
        const unsigned long won = x_.findWindow(QStringLiteral("Finish ...."), 10000, game_.pid());
        save(board(), "e2e_won.png");
        QVERIFY2(won != 0, "no Finish box after the fifteenth move");
        QThread::msleep(2000);  // the win's cue, 1.2 s, and a sound server's latency
        const Recording heard = recorder.snapshot();
        closeBox(won);
        // The last 1.2 s are the win's arpeggio of high notes, which cut the
        // final drop's low knock short, and nothing after it.
        const auto sounds = heard.sounds();
        QVERIFY(!sounds.empty());
        const auto [first, last] = sounds.back();
        QVERIFY2(heard.seconds(last - first) > 1.05,
                 qPrintable(QStringLiteral("%1 sounds, the last %2 s").arg(sounds.size()).arg(heard.seconds(last - first))));
        const std::size_t tenth = PulseServer::Rate / 10;
        QVERIFY(heard.crossingsPerSecond(last - 11 * tenth, last - tenth) > 900);
        QCOMPARE(heard.loudSpan().second, last);
    }

    // The refusal leaves the typed text selected in its box; the keys still
    // reach the game, which goes on.
    void abcIsRefusedAndTheGameGoesOn()
    {
        QVERIFY(key("ctrl+o"));
        QVERIFY(waitFor([&] { return panelShown(); }));
        typeTime(QStringLiteral("abc"));
        QVERIFY(key("F2"));
        QThread::msleep(200);
        game_.click(OkButton);
        const unsigned long refusal = x_.findWindow(QStringLiteral("Velmora"), 5000, game_.pid());
        QVERIFY2(refusal != 0, "no refusal box");
        save(x_.grab(refusal), "e2e_refusal.png");
        closeBox(refusal);
        QVERIFY(panelShown());
        tower_ = 1;
        QVERIFY(key("space"));
        QVERIFY2(waitFor([&] { return sprite(1, isGrey); }), "the game stopped");
    }

    void f4EndsTheProgram() { QVERIFY2(game_.exitWithF4(), "F4 did not end the game normally"); }
};

QTEST_GUILESS_MAIN(TestEndToEndPlay)
#include "tst_e2e_play.moc"
