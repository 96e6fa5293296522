#include "board/keyboard.h"
#include "board/moves.h"
#include "board/reset_board.h"
#include "recording_host.h"

#include <QTest>

#include <random>
#include <set>

using namespace velmora;

namespace {

using Calls = std::vector<std::string>;

// A fresh board of `disks` disks with the standard picture sizes, the clock running.
struct Board {
    GameState state;
    RecordingHost host;

    explicit Board(std::int16_t disks = 10)
    {
        state.DiskCount = disks;
        ResetBoard(state, host);
        host.calls.clear();
    }

    Calls press(std::int16_t key, std::int16_t shift = 0)
    {
        host.calls.clear();
        Form_KeyDown(state, host, key, shift);
        return host.calls;
    }

    void goTo(std::int16_t tower)
    {
        while (state.SelectedTower != tower)
            press(KeyCodeRight);
    }

    // Lifts from one tower and sets down on another, as a player would.
    void move(std::int16_t from, std::int16_t to)
    {
        goTo(from);
        press(KeyCodeSpace);
        goTo(to);
        press(KeyCodeSpace);
    }
};

// The shortest solution: every move of n disks from one tower to another.
void solve(int disks, std::int16_t from, std::int16_t to, std::vector<std::pair<std::int16_t, std::int16_t>>& moves)
{
    if (disks == 0)
        return;
    const auto spare = static_cast<std::int16_t>(6 - from - to);
    solve(disks - 1, from, spare, moves);
    moves.emplace_back(from, to);
    solve(disks - 1, spare, to, moves);
}

// Everything that must hold after any key.
QString brokenInvariant(const GameState& state, const RecordingHost& host)
{
    std::set<int> seen;
    int total = 0;
    for (int tower = 1; tower <= 3; ++tower) {
        const int count = state.TowerCount(tower);
        if (count < 0 || count > 15)
            return QStringLiteral("tower %1 holds %2").arg(tower).arg(count);
        for (int level = 1; level <= count; ++level) {
            const DiskSlot slot = state.Towers(tower)(level);
            if (slot.TowerNumber != tower)
                return QStringLiteral("slot %1 of tower %2 says tower %3").arg(level).arg(tower).arg(slot.TowerNumber);
            if (level > 1 && state.Towers(tower)(level - 1).DiskNumber >= slot.DiskNumber)
                return QStringLiteral("disk %1 rests on a smaller one on tower %2").arg(slot.DiskNumber).arg(tower);
            if (!seen.insert(slot.DiskNumber).second)
                return QStringLiteral("disk %1 stands twice").arg(slot.DiskNumber);
            ++total;
        }
    }
    if (isTrue(state.Holding) && !seen.insert(state.HeldDisk).second)
        return QStringLiteral("the disk in hand also stands on a tower");
    if (static_cast<int>(seen.size()) != state.DiskCount || *seen.begin() != 1 || *seen.rbegin() != state.DiskCount)
        return QStringLiteral("disks lost or invented: %1 of %2").arg(seen.size()).arg(state.DiskCount);
    if (total != state.DiskCount - (isTrue(state.Holding) ? 1 : 0))
        return QStringLiteral("counts add up to %1").arg(total);
    if (state.TowerX(1) != 157 || state.TowerX(2) != 471 || state.TowerX(3) != 785)
        return QStringLiteral("towers moved");
    if (host.spriteLeft != static_cast<float>(state.TowerX(state.SelectedTower) - 41.5))
        return QStringLiteral("sprite at %1 over tower %2").arg(host.spriteLeft).arg(state.SelectedTower);
    return QString();
}

} // namespace

class TestMoves : public QObject {
    Q_OBJECT

private slots:
    void liftTakesTheTopDiskWithItsCue()
    {
        Board board;
        // The cue sounds once the hand holds, before the disk leaves its tower.
        struct Watch : RecordingHost {
            GameState* state = nullptr;
            std::string seen;
            void PlaySoundCue(const SoundCue& cue) override
            {
                RecordingHost::PlaySoundCue(cue);
                seen = std::to_string(state->Holding) + " " + std::to_string(state->TowerCount(1));
            }
        } watch;
        watch.state = &board.state;
        watch.clock = true;
        board.state.HeldDisk = 0;
        Form_KeyDown(board.state, watch, KeyCodeSpace, 0);
        QCOMPARE(watch.calls, (Calls{"cue arrow.wav", "redraw"}));
        QCOMPARE(watch.seen, std::string("-1 10"));
        QCOMPARE(board.state.HeldDisk, 10);
        QCOMPARE(board.state.TowerCount(1), 9);
        QCOMPARE(board.state.Holding, BooleanTrue);
    }

    void spaceOverAnEmptyTowerOnlyRedraws()
    {
        Board board;
        board.press(KeyCodeRight);
        const GameState before = board.state;
        QCOMPARE(board.press(KeyCodeSpace), (Calls{"redraw"}));
        QVERIFY(board.state == before);
    }

    void dropOnAnEmptyTowerThenPutBack()
    {
        Board board;
        const GameState fresh = board.state;
        board.press(KeyCodeSpace);
        board.press(KeyCodeRight);
        QCOMPARE(board.press(KeyCodeSpace), (Calls{"cue sound12.wav", "redraw"}));
        QCOMPARE(board.state.TowerCount(2), 1);
        QCOMPARE(board.state.Towers(2)(1), (DiskSlot{10, 2}));
        QCOMPARE(board.state.Holding, BooleanFalse);

        // Lift and set down again without moving: the board is as it was.
        Board again;
        again.press(KeyCodeSpace);
        again.press(KeyCodeSpace);
        QCOMPARE(again.state.TowerCount(1), 10);
        QCOMPARE(again.state.Towers(1)(10), (DiskSlot{10, 1}));
        QCOMPARE(again.state.HeldDisk, 10);  // keeps its last value
        again.state.HeldDisk = fresh.HeldDisk;
        QVERIFY(again.state == fresh);
    }

    void aDiskGoesOnlyOnALargerOne()
    {
        Board board;
        board.move(1, 2);  // disk 10 on tower 2
        board.goTo(1);
        board.press(KeyCodeSpace);  // disk 9 in hand
        board.goTo(2);
        const GameState before = board.state;
        QCOMPARE(board.press(KeyCodeSpace), Calls{});  // 10 >= 9: nothing at all
        QVERIFY(board.state == before);
        QVERIFY(!isTrue(CanDrop(board.state)));

        board.goTo(3);
        board.press(KeyCodeSpace);  // disk 9 on tower 3
        board.goTo(2);
        board.press(KeyCodeSpace);  // disk 10 in hand
        board.goTo(3);
        QVERIFY(isTrue(CanDrop(board.state)));  // 9 < 10
        QCOMPARE(board.press(KeyCodeSpace), (Calls{"cue sound12.wav", "redraw"}));
        QCOMPARE(board.state.Towers(3)(2), (DiskSlot{10, 3}));
    }

    void dropOutsideTheTowersOnlySounds()
    {
        Board board;
        board.state.SelectedTower = 4;
        board.state.HeldDisk = 3;
        const GameState before = board.state;
        DropDisk(board.state, board.host);
        QCOMPARE(board.host.calls, (Calls{"cue sound12.wav"}));
        QVERIFY(board.state == before);
        QVERIFY(!isTrue(CanDrop(board.state)));
        LiftDisk(board.state, board.host);
        QVERIFY(board.state == before);
    }

    void shortestSolutionWinsAtTheLastDrop_data()
    {
        QTest::addColumn<int>("disks");
        for (int disks = 1; disks <= 15; ++disks)
            QTest::addRow("%d disks", disks) << disks;
    }

    void shortestSolutionWinsAtTheLastDrop()
    {
        QFETCH(int, disks);
        Board board(static_cast<std::int16_t>(disks));
        std::vector<std::pair<std::int16_t, std::int16_t>> moves;
        solve(disks, 1, 3, moves);
        QCOMPARE(moves.size(), (std::size_t{1} << disks) - 1);
        for (std::size_t i = 0; i + 1 < moves.size(); ++i) {
            board.move(moves[i].first, moves[i].second);
            QCOMPARE(board.state.Finished, BooleanFalse);
        }
        board.goTo(moves.back().first);
        board.press(KeyCodeSpace);
        board.goTo(3);
        QCOMPARE(board.press(KeyCodeSpace), (Calls{"cue sound12.wav", "redraw", "won"}));
        QCOMPARE(board.state.Finished, BooleanTrue);
        QCOMPARE(board.state.TowerCount(3), disks);
        // The clock has stopped: no key acts any more.
        const GameState won = board.state;
        for (const std::int16_t key : {KeyCodeSpace, KeyCodeLeft, KeyCodeRight})
            QCOMPARE(board.press(key), Calls{});
        QVERIFY(board.state == won);
    }

    void aFullTowerOneOrTwoWinsNothing()
    {
        Board board(5);
        std::vector<std::pair<std::int16_t, std::int16_t>> moves;
        solve(5, 1, 2, moves);
        solve(5, 2, 1, moves);
        for (const auto& [from, to] : moves)
            board.move(from, to);
        QCOMPARE(board.state.TowerCount(1), 5);
        QCOMPARE(board.state.Finished, BooleanFalse);
        QVERIFY(board.host.clock);
    }

    void arrowsCycleAndMoveOnlyTheSprite()
    {
        Board board;
        board.press(KeyCodeSpace);  // a disk in hand travels with the cursor
        const GameState holding = board.state;
        QCOMPARE(board.press(KeyCodeRight), Calls{"move sprite"});
        QCOMPARE(board.host.spriteLeft, 429.5f);
        QCOMPARE(board.press(KeyCodeRight), Calls{"move sprite"});
        QCOMPARE(board.host.spriteLeft, 743.5f);
        QCOMPARE(board.press(KeyCodeRight), Calls{"move sprite"});
        QCOMPARE(board.state.SelectedTower, 1);
        QCOMPARE(board.host.spriteLeft, 115.5f);
        board.press(KeyCodeLeft);
        QCOMPARE(board.state.SelectedTower, 3);
        board.press(KeyCodeLeft);
        QCOMPARE(board.state.SelectedTower, 2);
        board.goTo(1);
        QVERIFY(board.state == holding);

        // The shift state is not looked at.
        board.press(KeyCodeLeft, 1);
        QCOMPARE(board.state.SelectedTower, 3);
        board.press(KeyCodeRight, 2);
        QCOMPARE(board.state.SelectedTower, 1);
    }

    void otherKeysAndKeysWithoutAGameDoNothing()
    {
        Board board;
        const GameState before = board.state;
        for (const std::int16_t key : {38, 40, 13, 27, 65, 112, 113, 0, -1})
            QCOMPARE(board.press(static_cast<std::int16_t>(key)), Calls{});
        board.host.clock = false;
        for (const std::int16_t key : {KeyCodeSpace, KeyCodeLeft, KeyCodeRight})
            QCOMPARE(board.press(key), Calls{});
        QVERIFY(board.state == before);
    }

    void keyStormsKeepEveryInvariant()
    {
        std::mt19937 random(20261206);
        const std::int16_t keys[] = {KeyCodeSpace, KeyCodeSpace, KeyCodeSpace, KeyCodeLeft, KeyCodeRight,
                                     KeyCodeRight, 38, 40, 13, 65};
        std::uniform_int_distribution<int> pick(0, std::size(keys) - 1);
        std::uniform_int_distribution<int> diskCount(1, 15);
        Board board;
        int wins = 0;
        for (int key = 0; key < 150000; ++key) {
            if (key % 3000 == 0 || !board.host.clock) {
                // A new game, sometimes with another disk count; a reset while
                // a disk is in hand drops the hand.
                wins += board.host.clock ? 0 : 1;
                board.state.DiskCount = static_cast<std::int16_t>(key % 9000 == 0 ? diskCount(random) : board.state.DiskCount);
                board.host.clock = true;
                ResetBoard(board.state, board.host);
                board.state.Finished = BooleanFalse;
            }
            const std::int16_t code = keys[pick(random)];
            board.press(code, static_cast<std::int16_t>(key % 5 == 0 ? 1 : 0));
            const QString broken = brokenInvariant(board.state, board.host);
            if (!broken.isEmpty())
                QFAIL(qPrintable(QStringLiteral("after key %1 (%2): %3").arg(key).arg(code).arg(broken)));
        }
        qInfo("%d games won by chance", wins);
    }
};

QTEST_GUILESS_MAIN(TestMoves)
#include "tst_moves.moc"
