// The board's rules: geometry from the picture sizes, checked arithmetic,
// moves and keys, played through the game as a player would.

#include "board/keyboard.h"
#include "board/reset_board.h"
#include "recording_front_end.h"
#include "shortest_solution.h"

#include <QTest>

#include <cmath>
#include <algorithm>
#include <array>
#include <numeric>
#include <random>

using namespace velmora;

using Journal = std::vector<std::string>;

// Picture sizes and disk count, and the layout they give.
struct Layout {
    float width, height;
    int disks, minDiskWidth, widthStep, towerX1, baseY;
};
Q_DECLARE_METATYPE(Layout)

namespace {

// A game of `disks` disks in play.
struct Play : TestGame {
    explicit Play(int disks = 10)
    {
        apply(disks);
        game.command(Command::Start);
        frontEnd.take();
    }

    // The top disk of one tower carried to another by two presses on the
    // board; what the second one journals.
    Journal move(int from, int to)
    {
        pressAt(157 + 314 * (from - 1));
        return pressAt(157 + 314 * (to - 1));
    }
};

// Everything that must hold after any key; empty when it does: each disk
// once, on a tower (smaller ones above) or in hand, and the sprite over the
// selected tower.
QString brokenInvariant(const GameState& state, float spriteLeft, std::int32_t spriteX)
{
    std::vector<int> disks;
    if (isTrue(state.Holding))
        disks.push_back(state.HeldDisk);
    for (int tower = 1; tower <= 3; ++tower)
        for (int level = 1; level <= state.TowerCount(tower); ++level) {
            const DiskSlot slot = state.Towers(tower)(level);
            if (slot.TowerNumber != tower || (level > 1 && state.Towers(tower)(level - 1).DiskNumber >= slot.DiskNumber))
                return QStringLiteral("tower %1, level %2: disk %3").arg(tower).arg(level).arg(slot.DiskNumber);
            disks.push_back(slot.DiskNumber);
        }
    std::sort(disks.begin(), disks.end());
    std::vector<int> all(static_cast<std::size_t>(state.DiskCount));
    std::iota(all.begin(), all.end(), 1);
    if (disks != all)
        return QStringLiteral("%1 disks of %2, some lost or doubled").arg(disks.size()).arg(state.DiskCount);
    if (spriteLeft != static_cast<float>(state.TowerX(state.SelectedTower) - 41.5) || spriteX != std::lrint(spriteLeft))
        return QStringLiteral("sprite at %1 (%2) over tower %3").arg(spriteLeft).arg(spriteX).arg(state.SelectedTower);
    return QString();
}

} // namespace

class TestRules : public QObject {
    Q_OBJECT

private slots:
    // Reals are rounded only at the end, halves to even.
    void layoutFollowsPictureSizes_data()
    {
        QTest::addColumn<Layout>("layout");
        QTest::newRow("the real pictures, 10 disks") << Layout{214, 87, 10, 36, 9, 157, 390};
        QTest::newRow("4 disks: 22.25") << Layout{214, 87, 4, 36, 22, 157, 390};
        QTest::newRow("width 213: 156.5 and 35.5 go to even") << Layout{213, 87, 10, 36, 9, 156, 390};
        QTest::newRow("width 215: 157.5 goes up to even") << Layout{215, 87, 10, 36, 9, 158, 390};
        QTest::newRow("width 195: 32.5 goes down to even") << Layout{195, 87, 10, 32, 8, 148, 390};
        QTest::newRow("180 over 8: 22.5 to 22") << Layout{216, 87, 4, 36, 22, 158, 390};
        QTest::newRow("height 89: 396.67") << Layout{214, 89, 10, 36, 9, 157, 397};
    }

    void layoutFollowsPictureSizes()
    {
        QFETCH(Layout, layout);
        GameState state;
        state.TowerCount(1) = static_cast<std::int16_t>(layout.disks);
        ComputeLayout(state, PictureSizes{layout.width, layout.height, 83.0f});
        QCOMPARE(state.MinDiskWidth, layout.minDiskWidth);
        QCOMPARE(state.WidthStep, layout.widthStep);
        QCOMPARE(state.TowerX(1), layout.towerX1);
        QCOMPARE(state.TowerX(3), 5 * layout.towerX1);
        QCOMPARE(state.TowerBaseY(2), layout.baseY);
    }

    void shortestSolutionWinsAtTheLastDrop_data()
    {
        QTest::addColumn<int>("disks");
        for (int disks = 1; disks <= 15; ++disks)
            QTest::addRow("%d disks", disks) << disks;
    }

    // The finished tower is drawn before the box opens; after the win no key
    // acts, and in the next game all the disks on tower 2 win nothing.
    void shortestSolutionWinsAtTheLastDrop()
    {
        QFETCH(int, disks);
        Play play(disks);
        const auto moves = shortestSolution(disks, 1, 3);
        for (std::size_t i = 0; i + 1 < moves.size(); ++i) {
            QCOMPARE(play.move(moves[i].first, moves[i].second), Journal{"cue drop"});
            QCOMPARE(play.state().Finished, BooleanFalse);
        }
        QCOMPARE(play.move(moves.back().first, moves.back().second),
                 (Journal{"cue drop", "cue win", "clock off", "box Finish ....: Felicitari, ati terminat ... ",
                          "box closed", "options on", "start on"}));
        QCOMPARE(play.frontEnd.spriteWidthAtBox, 83);  // the cursor, drawn before the box
        QCOMPARE(play.state().TowerCount(3), disks);
        const GameState won = play.state();
        for (const std::int16_t key : {KeyCodeSpace, KeyCodeLeft, KeyCodeRight})
            QCOMPARE(play.press(key), Journal{});
        QVERIFY(play.state() == won);
        play.game.command(Command::Start);
        for (const auto& [from, to] : shortestSolution(disks, 1, 2))
            QCOMPARE(play.move(from, to), Journal{"cue drop"});
        QCOMPARE(play.state().TowerCount(2), disks);
        QVERIFY(play.game.clockRunning());
    }

    // A press belongs to the tower whose centre line is nearest (157, 471 and
    // 785, whatever the disks), halfway to the left one: the cursor goes
    // there, placed as the arrows place it, and the press acts as Space.
    void aPressGoesToTheNearestTowerAndActsAsSpace_data()
    {
        QTest::addColumn<int>("disks");
        QTest::addColumn<double>("x");
        QTest::addColumn<int>("tower");
        for (const int disks : {1, 15}) {
            QTest::addRow("%d: the widest disk's right edge", disks) << disks << 264.0 << 1;
            QTest::addRow("%d: halfway from 1 to 2", disks) << disks << 314.0 << 1;
            QTest::addRow("%d: just past it", disks) << disks << 314.5 << 2;
            QTest::addRow("%d: halfway from 2 to 3", disks) << disks << 628.0 << 2;
            QTest::addRow("%d: just past it", disks) << disks << 628.5 << 3;
        }
    }

    void aPressGoesToTheNearestTowerAndActsAsSpace()
    {
        QFETCH(int, disks);
        QFETCH(double, x);
        QFETCH(int, tower);
        Play play(disks);
        const Journal heard = play.pressAt(x);
        QCOMPARE(play.state().SelectedTower, tower);
        QCOMPARE(play.frontEnd.spriteX, (std::array{116, 430, 744}[tower - 1]));  // 115.5 and so on, to even
        QCOMPARE(heard, tower == 1 ? Journal{"cue lift"} : Journal{});  // the others are empty
    }

    // Outside a game, and off the board, a press does nothing. (Presses that
    // carry disks play every shortest solution above.)
    void pressesOutsideAGameOrOffTheBoardDoNothing()
    {
        TestGame test;
        test.apply(1);
        QCOMPARE(test.pressAt(157), Journal{});
        test.game.command(Command::Start);
        for (const auto& [x, y] : {std::pair{-1.0, 300.0}, {1002.0, 300.0}, {157.0, -1.0}, {157.0, 628.0}})
            QCOMPARE(test.pressAt(x, y), Journal{});
        QCOMPARE(test.state().Holding, BooleanFalse);
        QCOMPARE(test.pressAt(157, 380), Journal{"cue lift"});
    }

    // The panel refuses such counts, so only a forced one reaches the reset.
    void aResetOutsideOneToFifteenDisksIsAFailedCheck()
    {
        TestGame test;
        for (const std::int16_t disks : {0, 16}) {
            GameState state;
            state.DiskCount = disks;
            QVERIFY_THROWS_EXCEPTION(RuntimeError, ResetBoard(state, test.game));
        }
    }

    void keyStormsKeepEveryInvariant()
    {
        std::mt19937 random(20261207);
        const std::int16_t keys[] = {KeyCodeSpace, KeyCodeSpace, KeyCodeSpace, KeyCodeLeft, KeyCodeRight, 38, 13, 65};
        std::uniform_int_distribution<int> pick(0, std::size(keys) - 1);
        std::uniform_int_distribution<int> diskCount(1, 15);
        Play play;
        for (int key = 0; key < 100000; ++key) {
            if (key % 2000 == 0 || !play.game.clockRunning()) {
                // A new game, sometimes with another disk count; a disk in hand is dropped.
                if (key % 6000 == 0)
                    play.apply(diskCount(random));
                play.game.command(Command::Start);
            }
            for (const std::string& entry : play.press(keys[pick(random)]))
                if (entry.rfind("failure", 0) == 0 || entry.rfind("quit", 0) == 0)
                    QFAIL(qPrintable(QStringLiteral("after key %1: %2").arg(key).arg(QString::fromStdString(entry))));
            const QString broken = brokenInvariant(play.state(), play.game.sprite().left(), play.frontEnd.spriteX);
            if (!broken.isEmpty())
                QFAIL(qPrintable(QStringLiteral("after key %1: %2").arg(key).arg(broken)));
        }
    }
};

QTEST_GUILESS_MAIN(TestRules)
#include "tst_rules.moc"
