// Playing the real program with real keys and clicks, heard through the
// session's sound server. Each case starts the program afresh and reads only
// the sound it made itself; every check waits for the state it expects.

#include "game_process.h"
#include "shortest_solution.h"
#include "sink_recorder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace probe;
using velmora::Command;
using velmora::OptionBox;

namespace {

// Zero crossings per second of the game's cues: the lift's whistle is high,
// the drop's knock low.
bool isWhistle(const Recording& heard, std::pair<std::size_t, std::size_t> sound)
{
    return heard.crossingsPerSecond(sound.first, sound.second) > 1500;
}

} // namespace

class TestEndToEndPlay : public QObject {
    Q_OBJECT

private:
    XSession x_;
    SinkRecorder recorder_;
    std::unique_ptr<GameProcess> game_;
    int tower_ = 1;

    QImage board() const { return game_->client(); }
    bool key(const char* name) const { return game_->key(name); }
    void save(const QImage& image, const char* name) const
    {
        image.save(QDir(QStringLiteral(VELMORA_SCREENSHOT_DIR)).filePath(QString::fromLatin1(name)));
    }

    // The cursor to a tower, the shorter way round.
    void goTo(int tower)
    {
        while (tower_ != tower) {
            const bool right = (tower - tower_ + 3) % 3 == 1;
            QVERIFY(key(right ? "Right" : "Left"));
            tower_ = right ? tower_ % 3 + 1 : (tower_ + 1) % 3 + 1;
        }
    }

    // Opens the panel and types into its boxes as a player would: a click in
    // the box, all of it selected, the new text typed.
    void openPanel() const
    {
        QVERIFY(key("ctrl+o"));
        QVERIFY2(waitFor([&] { return panelShown(board()); }), "Ctrl+O did not open the panel");
    }
    void typeInto(QPoint box, const QString& text) const
    {
        game_->click(box);
        QVERIFY(key("ctrl+a"));
        QVERIFY(x_.type(game_->window(), text));
    }
    void applyAndWaitForDisks(int disks) const
    {
        game_->click(panelControl(Command::Apply).center());
        // The smallest of n disks stands at level n: its top face at 303 - 19 (n - 1) + 12.
        const int top = 315 - 19 * (disks - 1);
        QVERIFY2(waitFor([&] {
            const QImage shown = board();
            return !panelShown(shown) && count(shown, QRect(100, top, 115, 1), isNavy) > 20
                && count(shown, QRect(100, top - 19, 115, 1), isNavy) == 0;
        }), qPrintable(QStringLiteral("Ok did not close the panel over %1 disks").arg(disks)));
    }

private slots:
    void initTestCase() { QVERIFY2(x_.isOpen() && recorder_.started(), "no X session or sound sink"); }

    void init()
    {
        tower_ = 1;
        game_ = std::make_unique<GameProcess>(x_);
        QVERIFY2(game_->start(), "the game showed no board");
    }

    void cleanup()
    {
        if (!QTest::currentTestFailed())
            QVERIFY2(game_->exitWithF4(), "F4 did not end the game normally");
        game_.reset();
    }

    // Lift, drop, both arrows, and a refused drop: disk 9 over the smaller
    // disk 10 changes nothing and sounds nothing. The panel opened before the
    // game stays open through it.
    void liftDropArrowsAndARefusedDrop()
    {
        openPanel();
        // Its caption set into the frame's top line, the yellow captions, the
        // buttons and the two defaults, as kept.
        QVERIFY2(looksAsKept([&] { return game_->client(panelArea()); }, QStringLiteral("panel")),
                 "the options panel differs from its kept picture");
        // Each sound is waited for before the next key, so that each is heard whole.
        const qint64 mark = recorder_.quietMark();
        QVERIFY(key("F2"));
        QVERIFY(key("space"));
        // The top disk (level 10: x 131, y 132) goes onto the sprite as the grey disk in hand.
        QVERIFY2(waitFor([&] {
            const QImage shown = board();
            return diskInHandOver(shown, 1) && count(shown, QRect(131, 132, 52, 18), isNavy) == 0;
        }), "no disk in hand after Space");
        recorder_.awaitSounds(mark, 1);
        goTo(3);
        QVERIFY(key("space"));
        // Disk 10 at the bottom of tower 3 (x 759, y 303), the cursor over it.
        QVERIFY2(waitFor([&] {
            const QImage shown = board();
            return cursorOver(shown, 3) && count(shown, QRect(759, 303, 52, 30), isNavy) > 200;
        }), "disk 10 did not land on tower 3");
        recorder_.awaitSounds(mark, 2);
        // Shift, Ctrl and Alt are not looked at.
        QVERIFY(key("alt+Left"));
        QVERIFY2(waitFor([&] { return cursorOver(board(), 2); }), "Alt+Left did not move the cursor from 3 to 2");
        QVERIFY(key("Left"));
        QVERIFY2(waitFor([&] { return cursorOver(board(), 1); }), "Left did not move the cursor from 2 to 1");
        QVERIFY(key("shift+space"));
        QVERIFY(key("Left"));  // round the end, to tower 3
        tower_ = 3;
        QVERIFY2(waitFor([&] { return diskInHandOver(board(), 3); }), "Left did not go round from 1 to 3");
        const Recording moves = recorder_.awaitSounds(mark, 3);

        const QRect play(0, 0, GameProcess::ClientWidth, 470);  // above the counting read-out
        const QImage before = board().copy(play);
        QVERIFY(key("space"));
        QVERIFY(key("Left"));  // handled after the Space: the sign that it came and went
        QVERIFY2(waitFor([&] { return diskInHandOver(board(), 2); }), "the keys after the refused drop were lost");
        QVERIFY(key("ctrl+Right"));
        QVERIFY(waitFor([&] { return diskInHandOver(board(), 3); }));
        QVERIFY2(board().copy(play) == before, "a refused drop changed the board");
        QVERIFY2(holdsFor([&] { return recorder_.since(mark).sounds().size() == 3; }, 600),
                 qPrintable(QStringLiteral("a refused drop made a sound: %1 sounds").arg(recorder_.since(mark).sounds().size())));
        save(board(), "e2e_moves.png");

        // Heard: lift (a rising whistle), drop (a low knock), lift.
        const auto sounds = moves.sounds();
        QCOMPARE(sounds.size(), std::size_t{3});
        QVERIFY(isWhistle(moves, sounds[0]) && !isWhistle(moves, sounds[1]) && isWhistle(moves, sounds[2]));
    }

    // The first Tab into the panel reaches the time box with its text
    // selected; -7 typed there, then Time Up, Time Down and Time Up give 3.
    // The game counts to 3, plays the whole ring, then the buzz under the
    // Game Over box while the read-out counts on. The box blocks the window's
    // close button, and the clock stops once the box is answered.
    void aLimitOfThreeSecondsLoses()
    {
        openPanel();
        QVERIFY(key("Tab"));
        QVERIFY(x_.type(game_->window(), QStringLiteral("-7")));
        QVERIFY(key("Tab"));  // on to Time Up: no caret blinks in the box
        for (const Command button : {Command::TimeUp, Command::TimeDown, Command::TimeUp})
            QVERIFY(game_->clickChanging(panelControl(button).center(), panelControl(OptionBox::TimeLimit)));
        applyAndWaitForDisks(10);
        const qint64 mark = recorder_.quietMark();
        QElapsedTimer clock;
        QVERIFY(key("F2"));
        clock.start();
        const unsigned long lost = game_->box(QStringLiteral("Game Over"), 15000);
        QVERIFY2(lost != 0, "no Game Over box within 15 s");
        // Three ticks, then the one-second ring before the box.
        QVERIFY2(clock.elapsed() > 3500, qPrintable(QString::number(clock.elapsed())));
        const QImage counted = game_->client(Readout);
        QVERIFY2(waitFor([&] { return game_->client(Readout) != counted; }, 3000), "the read-out stopped under the box");
        save(x_.grab(lost), "e2e_lost_box.png");
        const Recording heard = recorder_.awaitSounds(mark, 1);
        x_.closeByFrame(game_->window());
        QVERIFY2(holdsFor([&] { return x_.isViewable(game_->window()) && x_.isViewable(lost); }, 700),
                 "the window closed under its box");
        QVERIFY(game_->closeBox(lost));
        const QImage stopped = game_->client(Readout);
        QVERIFY2(holdsFor([&] { return game_->client(Readout) == stopped; }, 1500), "the clock ran on after the box");

        // Heard as one sound: the whole one-second ring (high), which the game
        // waits for, then the falling buzz of the lost game (low).
        const auto [first, last] = heard.loudSpan();
        const std::size_t tenth = static_cast<std::size_t>(heard.rate / 10);
        QVERIFY2(heard.seconds(last - first) > 1.5, qPrintable(QString::number(heard.seconds(last - first))));
        QVERIFY(heard.crossingsPerSecond(first, first + 9 * tenth) > 3000);
        QVERIFY(heard.crossingsPerSecond(last - 4 * tenth, last) < 1500);
    }

    // Level Up from 10 goes round to 4, Level Down back to 10, Level Up to 4.
    // The finished tower is on the screen while the box is up, and the win's
    // cue cuts the last drop's short. (The game after a win is the rules' test.)
    void fourDisksWon()
    {
        openPanel();
        for (const Command button : {Command::LevelUp, Command::LevelDown, Command::LevelUp})
            QVERIFY(game_->clickChanging(panelControl(button).center(), panelControl(OptionBox::DiskCount)));
        applyAndWaitForDisks(4);
        const qint64 mark = recorder_.quietMark();
        QVERIFY(key("F2"));
        for (const auto& [from, to] : shortestSolution(4, 1, 3)) {
            goTo(from);
            QVERIFY(key("space"));
            goTo(to);
            QVERIFY(key("space"));
        }
        const unsigned long won = game_->box(QStringLiteral("Finish ...."));
        QVERIFY2(won != 0, "no Finish box after the fifteenth move");
        QVERIFY2(waitFor([&] {
            const QImage shown = board();
            return cursorOver(shown, 3) && navyOnTower(shown, 3) > 0 && navyOnTower(shown, 1) == 0;
        }), "the finished tower is not on the screen under the box");
        save(board(), "e2e_won.png");
        // The last sound is the win's arpeggio of high notes, 1.2 s, which cut
        // the final drop's low knock short.
        const auto winsLast = [](const Recording& heard) {
            const auto sounds = heard.sounds();
            const auto second = static_cast<std::size_t>(heard.rate);
            return !sounds.empty() && sounds.back().second - sounds.back().first > second
                && heard.crossingsPerSecond(sounds.back().second - second, sounds.back().second - second / 10) > 900;
        };
        QVERIFY2(winsLast(recorder_.awaitHeard(mark, winsLast)), "the win's cue was not heard last, whole");
        QVERIFY(game_->closeBox(won));
    }

    // With a four-second tone under the ring's name (the other cues missing):
    // the ring holds the game until it has sounded in full, so the wait
    // follows the sound and is no fixed span; meanwhile the window repaints
    // what another window uncovers. (The other cues' not holding is the
    // players' tests'.)
    void theRingHoldsTheGameAsLongAsItSounds()
    {
        QTemporaryDir folder;
        QFile ring(folder.filePath(QStringLiteral("riiiing.wav")));
        QVERIFY(ring.open(QIODevice::WriteOnly) && ring.write(toneWave(1100, 4.0)) > 0);
        ring.close();
        QVERIFY(game_->exitWithF4());
        game_ = std::make_unique<GameProcess>(x_);
        QVERIFY2(game_->start(GameProcess::copyInto(folder.path())), "the copied game showed no board");
        openPanel();
        typeInto(panelControl(OptionBox::TimeLimit).center(), QStringLiteral("2"));
        applyAndWaitForDisks(10);
        const qint64 mark = recorder_.quietMark();
        QElapsedTimer clock;
        QVERIFY(key("F2"));
        clock.start();
        QVERIFY2(waitFor([&] { return !recorder_.since(mark).sounds().empty(); }), "no ring");
        const QImage held = board();
        x_.passOver(game_->window());
        QVERIFY2(waitFor([&] { return board() == held; }, 2000), "the window did not repaint while the ring sounded");
        QVERIFY2(game_->box(QStringLiteral("Game Over"), 0) == 0, "the ring was over before the window repainted");
        const unsigned long lost = game_->box(QStringLiteral("Game Over"), 20000);
        QVERIFY2(lost != 0, "no Game Over box");
        QVERIFY2(clock.elapsed() > 5500, qPrintable(QStringLiteral("the box came %1 ms after F2").arg(clock.elapsed())));
        QVERIFY(game_->closeBox(lost));
    }
};

QTEST_GUILESS_MAIN(TestEndToEndPlay)
#include "tst_e2e_play.moc"
