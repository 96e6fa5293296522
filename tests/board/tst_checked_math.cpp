#include "board/checked_math.h"
#include "board/game_state.h"

#include <QTest>

using namespace velmora;

class TestCheckedMath : public QObject {
    Q_OBJECT

private slots:
    void roundsHalfToEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("157.5 up to even") << 157.5 << 158;
        QTest::newRow("156.5 down to even") << 156.5 << 156;
        QTest::newRow("32.5") << 32.5 << 32;
        QTest::newRow("22.5") << 22.5 << 22;
        QTest::newRow("35.67") << 214.0 / 6 << 36;
        QTest::newRow("81.2") << 81.2 << 81;
        QTest::newRow("34.8") << 34.8 << 35;
        QTest::newRow("-0.5") << -0.5 << 0;
        QTest::newRow("-1.5") << -1.5 << -2;
        QTest::newRow("-2.5") << -2.5 << -2;
    }

    void roundsHalfToEven()
    {
        QFETCH(double, value);
        QFETCH(int, expected);
        QCOMPARE(roundToInt32(value), expected);
    }

    void overflowsAreErrors_data()
    {
        QTest::addColumn<int>("which");
        QTest::newRow("add16 past 32767") << 0;
        QTest::newRow("sub16 past -32768") << 1;
        QTest::newRow("mul16 2 x 16384") << 2;
        QTest::newRow("add32 past int32") << 3;
        QTest::newRow("mul32 5 x 500000000") << 4;
        QTest::newRow("round 2^31") << 5;
        QTest::newRow("round NaN") << 6;
        QTest::newRow("round16 32767.5") << 7;
    }

    void overflowsAreErrors()
    {
        QFETCH(int, which);
        try {
            switch (which) {
            case 0: add16(32767, 1); break;
            case 1: sub16(-32768, 1); break;
            case 2: mul16(2, 16384); break;
            case 3: add32(2147483647, 1); break;
            case 4: mul32(5, 500000000); break;
            case 5: roundToInt32(2147483648.0); break;
            case 6: roundToInt32(std::nan("")); break;
            case 7: roundToInt16(32767.5); break;
            }
            QFAIL("no error raised");
        } catch (const RuntimeError& error) {
            QCOMPARE(error.number(), RuntimeError::Overflow);
        }
    }

    void limitsThemselvesAreFine()
    {
        QCOMPARE(add16(32766, 1), std::int16_t{32767});
        QCOMPARE(mul16(2, 15), std::int16_t{30});
        QCOMPARE(sub16(-32767, 1), std::int16_t{-32768});
        QCOMPARE(roundToInt32(2147483647.4), 2147483647);
        QCOMPARE(roundToInt16(-32768.4), std::int16_t{-32768});
    }

    void divisionByZeroIsAnError()
    {
        QCOMPARE(divide(178, 20), 8.9);
        try {
            divide(178, 0);
            QFAIL("no error raised");
        } catch (const RuntimeError& error) {
            QCOMPARE(error.number(), RuntimeError::DivisionByZero);
        }
    }

    void arraysCheckTheirDeclaredBounds()
    {
        GameState state;
        state.Towers(3)(15).DiskNumber = 7;  // the last slot of the last tower exists
        QCOMPARE(state.Towers(3)(15).DiskNumber, std::int16_t{7});
        for (const int tower : {0, 4, -1}) {
            QVERIFY_THROWS_EXCEPTION(RuntimeError, state.TowerCount(tower));
            QVERIFY_THROWS_EXCEPTION(RuntimeError, state.Towers(tower));
        }
        for (const int slot : {0, 16}) {
            try {
                state.Towers(1)(slot);
                QFAIL("no error raised");
            } catch (const RuntimeError& error) {
                QCOMPARE(error.number(), RuntimeError::SubscriptOutOfRange);
            }
        }
    }

    void everythingIsZeroAtCreation()
    {
        const GameState state;
        QCOMPARE(state.DiskCount, 0);
        QCOMPARE(state.TimeLimit, 0);
        QCOMPARE(state.ElapsedSeconds, 0);
        QCOMPARE(state.SelectedTower, 0);
        QCOMPARE(state.HeldDisk, 0);
        QCOMPARE(state.Holding, BooleanFalse);
        QCOMPARE(state.Finished, BooleanFalse);
        QCOMPARE(state.SelectorWidth, 0.0f);
        QCOMPARE(state.WidthStep + state.MinDiskWidth + state.MaxDiskWidth, 0);
        for (int tower = 1; tower <= 3; ++tower) {
            QCOMPARE(state.TowerCount(tower), 0);
            QCOMPARE(state.TowerX(tower), 0);
            QCOMPARE(state.TowerBaseY(tower), 0);
            for (int slot = 1; slot <= TowerSlots; ++slot)
                QCOMPARE(state.Towers(tower)(slot), DiskSlot{});
        }
    }
};

QTEST_GUILESS_MAIN(TestCheckedMath)
#include "tst_checked_math.moc"
