#include "board/reset_board.h"
#include "recording_host.h"

#include <QTest>

#include <string>
#include <vector>

using namespace velmora;


class TestBoardLayout : public QObject {
    Q_OBJECT

private slots:
    void layoutFollowsPictureSizes_data()
    {
        QTest::addColumn<float>("width");
        QTest::addColumn<float>("height");
        QTest::addColumn<int>("disks");
        QTest::addColumn<int>("minDiskWidth");
        QTest::addColumn<int>("maxDiskWidth");
        QTest::addColumn<int>("widthStep");
        QTest::addColumn<int>("towerX1");
        QTest::addColumn<int>("baseY");

        QTest::newRow("worked example, 10 disks") << 214.0f << 87.0f << 10 << 36 << 214 << 9 << 157 << 390;
        QTest::newRow("4 disks: 22.25") << 214.0f << 87.0f << 4 << 36 << 214 << 22 << 157 << 390;
        QTest::newRow("7 disks: 12.71") << 214.0f << 87.0f << 7 << 36 << 214 << 13 << 157 << 390;
        QTest::newRow("15 disks: 5.93") << 214.0f << 87.0f << 15 << 36 << 214 << 6 << 157 << 390;
        QTest::newRow("1 disk") << 214.0f << 87.0f << 1 << 36 << 214 << 89 << 157 << 390;
        QTest::newRow("width 213: 156.5 and 35.5 go to even") << 213.0f << 87.0f << 10 << 36 << 213 << 9 << 156 << 390;
        QTest::newRow("width 215: 157.5 goes up to even") << 215.0f << 87.0f << 10 << 36 << 215 << 9 << 158 << 390;
        QTest::newRow("width 195: 32.5 goes down to even") << 195.0f << 87.0f << 10 << 32 << 195 << 8 << 148 << 390;
        QTest::newRow("difference 180 over 8: 22.5 to 22") << 216.0f << 87.0f << 4 << 36 << 216 << 22 << 158 << 390;
        QTest::newRow("height 88: 393.33") << 214.0f << 88.0f << 10 << 36 << 214 << 9 << 157 << 393;
        QTest::newRow("height 89: 396.67") << 214.0f << 89.0f << 10 << 36 << 214 << 9 << 157 << 397;
        QTest::newRow("fractional width 214.5 rounds to 214") << 214.5f << 87.0f << 10 << 36 << 214 << 9 << 157 << 390;
    }

    void layoutFollowsPictureSizes()
    {
        QFETCH(float, width);
        QFETCH(float, height);
        QFETCH(int, disks);
        QFETCH(int, minDiskWidth);
        QFETCH(int, maxDiskWidth);
        QFETCH(int, widthStep);
        QFETCH(int, towerX1);
        QFETCH(int, baseY);

        GameState state;
        state.TowerCount(1) = static_cast<std::int16_t>(disks);
        ComputeLayout(state, PictureSizes{width, height, 83.0f});

        QCOMPARE(state.MinDiskWidth, minDiskWidth);
        QCOMPARE(state.MaxDiskWidth, maxDiskWidth);
        QCOMPARE(state.WidthStep, widthStep);
        QCOMPARE(state.TowerX(1), towerX1);
        QCOMPARE(state.TowerX(2), 3 * towerX1);
        QCOMPARE(state.TowerX(3), 5 * towerX1);
        for (int tower = 1; tower <= 3; ++tower)
            QCOMPARE(state.TowerBaseY(tower), baseY);
        QCOMPARE(state.SelectorWidth, 83.0f);
    }

    void resetDrawsPegsThenFillsTowerOneThenPlacesSprite()
    {
        GameState state;
        state.DiskCount = 10;
        RecordingHost host;
        ResetBoard(state, host);

        std::vector<std::string> expected{"peg 1", "peg 2", "peg 3"};
        for (int level = 1; level <= 10; ++level)
            expected.push_back("disk " + std::to_string(level) + " of tower 1 at level " + std::to_string(level));
        expected.push_back("sprite");
        expected.push_back("redraw");
        QCOMPARE(host.calls, expected);

        // Half of 83 is 41.5: the sprite's position is not rounded.
        QCOMPARE(host.spriteLeft, 115.5f);
        QCOMPARE(host.spriteTop, 20.0f);
        QCOMPARE(state.TowerCount(1), 10);
        QCOMPARE(state.TowerCount(2), 0);
        QCOMPARE(state.TowerCount(3), 0);
        for (int level = 1; level <= 10; ++level)
            QCOMPARE(state.Towers(1)(level), (DiskSlot{static_cast<std::int16_t>(level), 1}));
        QCOMPARE(state.SelectedTower, 1);
        QCOMPARE(state.Holding, BooleanFalse);
    }

    void optionsAreWrittenOnceTheWidthStepIsKnown()
    {
        GameState state;
        state.DiskCount = 10;
        RecordingHost host;
        int calls = 0;
        ResetBoard(state, host, [&] {
            ++calls;
            QCOMPARE(state.WidthStep, 9);
            QCOMPARE(state.SelectorWidth, 0.0f);  // not read yet
            QCOMPARE(state.TowerX(1), 0);
            QVERIFY(host.calls.empty());          // nothing drawn yet
        });
        QCOMPARE(calls, 1);
    }

    void resetKeepsWhatItDoesNotOwn()
    {
        GameState state;
        state.DiskCount = 4;
        state.TimeLimit = 90;
        state.ElapsedSeconds = 17;
        state.HeldDisk = 3;
        state.Holding = BooleanTrue;
        state.Finished = BooleanTrue;
        state.SelectedTower = 3;
        state.TowerCount(1) = 1;
        state.TowerCount(2) = 2;
        state.TowerCount(3) = 1;
        state.Towers(2)(1) = DiskSlot{1, 2};
        state.Towers(2)(2) = DiskSlot{2, 2};
        state.Towers(3)(1) = DiskSlot{4, 3};
        state.Towers(1)(9) = DiskSlot{9, 1};  // left over from an earlier, larger game

        RecordingHost host;
        ResetBoard(state, host);

        QCOMPARE(state.DiskCount, 4);
        QCOMPARE(state.TimeLimit, 90);
        QCOMPARE(state.ElapsedSeconds, 17);
        QCOMPARE(state.HeldDisk, 3);
        QCOMPARE(state.Finished, BooleanTrue);
        QCOMPARE(state.Holding, BooleanFalse);
        QCOMPARE(state.SelectedTower, 1);
        QCOMPARE(state.TowerCount(1), 4);
        QCOMPARE(state.TowerCount(2), 0);
        QCOMPARE(state.TowerCount(3), 0);
        // Emptied by their counts only: the old slots are still there, unread.
        QCOMPARE(state.Towers(2)(2), (DiskSlot{2, 2}));
        QCOMPARE(state.Towers(3)(1), (DiskSlot{4, 3}));
        QCOMPARE(state.Towers(1)(9), (DiskSlot{9, 1}));
        QCOMPARE(state.Towers(1)(4), (DiskSlot{4, 1}));
    }

    void fifteenDisksFillEverySlot()
    {
        GameState state;
        state.DiskCount = 15;
        RecordingHost host;
        ResetBoard(state, host);
        QCOMPARE(state.TowerCount(1), 15);
        QCOMPARE(state.Towers(1)(15), (DiskSlot{15, 1}));
        QCOMPARE(state.WidthStep, 6);
        QCOMPARE(host.calls.size(), std::size_t{3 + 15 + 2});
    }

    void sameGeometryOnEveryReset()
    {
        GameState state;
        state.DiskCount = 10;
        RecordingHost host;
        ResetBoard(state, host);
        const GameState first = state;
        ResetBoard(state, host);
        QCOMPARE(state == first, true);
    }

    void countsOutsideOneToFifteenAreRefusedUntouched_data()
    {
        QTest::addColumn<int>("disks");
        QTest::newRow("0: no width step") << 0;
        QTest::newRow("16: no 16th slot") << 16;
        QTest::newRow("-1") << -1;
        QTest::newRow("32767") << 32767;
        QTest::newRow("-32768") << -32768;
    }

    void countsOutsideOneToFifteenAreRefusedUntouched()
    {
        QFETCH(int, disks);
        GameState state;
        state.DiskCount = 10;
        RecordingHost host;
        ResetBoard(state, host);
        host.calls.clear();
        state.DiskCount = static_cast<std::int16_t>(disks);
        const GameState before = state;

        try {
            ResetBoard(state, host);
            QFAIL("the reset accepted the count");
        } catch (const RuntimeError& error) {
            QCOMPARE(error.number(), RuntimeError::InvalidProcedureCall);
        }
        QVERIFY(state == before);
        QVERIFY(host.calls.empty());
    }
};

QTEST_GUILESS_MAIN(TestBoardLayout)
#include "tst_board_layout.moc"
