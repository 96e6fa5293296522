#include "board/reset_board.h"
#include "render/board_renderer.h"
#include "render/placement.h"

#include <QTest>

#include <string>
#include <vector>

using namespace velmora;

namespace {

// The geometry of the worked example: Picture1 214 x 87, 10 disks.
GameState workedExample(std::int16_t disks = 10)
{
    GameState state;
    state.DiskCount = disks;
    state.TowerCount(1) = disks;
    ComputeLayout(state, PictureSizes{214.0f, 87.0f, 83.0f});
    return state;
}

// Records every call the renderer makes, in order.
class RecordingTarget : public RenderTarget {
public:
    std::vector<std::string> calls;
    std::vector<DiskBlit> blits;
    std::vector<PegCorners> pegs;
    mutable int pictureReads = 0;

    DiskPictureMetrics diskPicture() const override
    {
        ++pictureReads;
        return DiskPictureMetrics{214.0f, 87.0f, 210.0f, 83.0f};
    }
    void setSpritePicture(SpritePicture picture) override
    {
        calls.push_back(picture == SpritePicture::Empty ? "sprite empty"
                        : picture == SpritePicture::Disk ? "sprite disk"
                                                         : "sprite selector");
    }
    void refreshSprite() override { calls.push_back("sprite refresh"); }
    void Cls() override { calls.push_back("cls"); }
    void Line(float x1, float y1, float x2, float y2, std::uint32_t colour) override
    {
        calls.push_back("line");
        pegs.push_back(PegCorners{x1, y1, x2, y2});
        QCOMPARE(colour, 0u);
    }
    void TransparentBlt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                        std::int32_t sourceX, std::int32_t sourceY, std::int32_t sourceWidth,
                        std::int32_t sourceHeight, std::uint32_t transparentColour) override
    {
        calls.push_back("blt");
        blits.push_back(DiskBlit{x, y, width, height});
        QCOMPARE(sourceX, 0);
        QCOMPARE(sourceY, 0);
        QCOMPARE(sourceWidth, 210);
        QCOMPARE(sourceHeight, 83);
        QCOMPARE(transparentColour, 0xFFFFFFu);
    }
    void Refresh() override { calls.push_back("refresh"); }
};

} // namespace

class TestBoardRenderer : public QObject {
    Q_OBJECT

private slots:
    void diskPlacement_data()
    {
        QTest::addColumn<int>("tower");
        QTest::addColumn<int>("disk");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("disks");

        QTest::newRow("disk 1 at the bottom of tower 1") << 1 << 1 << 1 << 50 << 303 << 214 << 87 << 10;
        QTest::newRow("disk 2 at level 2: 81.2 high") << 1 << 2 << 2 << 59 << 284 << 196 << 81 << 10;
        QTest::newRow("disk 4 at level 4: 69.6 high") << 1 << 4 << 4 << 77 << 246 << 160 << 70 << 10;
        QTest::newRow("disk 10 at level 10: 34.8 high") << 1 << 10 << 10 << 131 << 132 << 52 << 35 << 10;
        QTest::newRow("disk 5 at the bottom of tower 3") << 3 << 5 << 1 << 714 << 303 << 142 << 87 << 10;
        QTest::newRow("disk 1 at the bottom of tower 2") << 2 << 1 << 1 << 364 << 303 << 214 << 87 << 10;
        QTest::newRow("disk 10 at level 1 of tower 2") << 2 << 10 << 1 << 445 << 303 << 52 << 87 << 10;
        QTest::newRow("15 disks: disk 15 at level 15, 5.8 high") << 1 << 15 << 15 << 134 << 37 << 46 << 6 << 15;
    }

    void diskPlacement()
    {
        QFETCH(int, tower);
        QFETCH(int, disk);
        QFETCH(int, level);
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, disks);
        const GameState state = workedExample(static_cast<std::int16_t>(disks));
        const DiskBlit blit = velmora::diskPlacement(state, static_cast<std::int16_t>(tower),
                                                     static_cast<std::int16_t>(disk),
                                                     static_cast<std::int16_t>(level), 214.0f, 87.0f);
        QCOMPARE(blit, (DiskBlit{x, y, width, height}));
    }

    void pegsReachDiskCountLevelsUpWhateverTheTowerHolds()
    {
        const GameState ten = workedExample(10);
        QCOMPARE(pegCorners(ten, 1, 87.0f), (PegCorners{155.0f, 100.0f, 159.0f, 390.0f}));
        QCOMPARE(pegCorners(ten, 2, 87.0f), (PegCorners{469.0f, 100.0f, 473.0f, 390.0f}));
        QCOMPARE(pegCorners(ten, 3, 87.0f), (PegCorners{783.0f, 100.0f, 787.0f, 390.0f}));
        const GameState four = workedExample(4);
        QCOMPARE(pegCorners(four, 1, 87.0f), (PegCorners{155.0f, 274.0f, 159.0f, 390.0f}));
        // The corners are handed over unrounded: 10 x 88 / 3 = 293.33.
        QCOMPARE(pegCorners(ten, 1, 88.0f).top, static_cast<float>(390.0 - 880.0 / 3));
    }

    void redrawChoosesSpriteThenClearsThenDrawsBottomUpTowerOneFirst()
    {
        GameState state = workedExample(4);
        // Disks 1 and 3 on tower 1, nothing on tower 2, disk 2 on tower 3, disk 4 in hand.
        state.TowerCount(1) = 2;
        state.Towers(1)(1) = DiskSlot{1, 1};
        state.Towers(1)(2) = DiskSlot{3, 1};
        state.TowerCount(2) = 0;
        state.Towers(2)(1) = DiskSlot{4, 2};  // stale slot above the count: never drawn
        state.TowerCount(3) = 1;
        state.Towers(3)(1) = DiskSlot{2, 3};
        state.Holding = BooleanTrue;
        state.HeldDisk = 4;

        RecordingTarget target;
        RedrawBoard(state, target);
        const std::vector<std::string> expected{
            "sprite empty", "sprite disk", "sprite refresh", "cls", "line", "line", "line",
            "blt", "refresh", "blt", "refresh", "blt", "refresh"};
        QCOMPARE(target.calls, expected);
        QCOMPARE(target.blits.at(0), velmora::diskPlacement(state, 1, 1, 1, 214.0f, 87.0f));
        QCOMPARE(target.blits.at(1), velmora::diskPlacement(state, 1, 3, 2, 214.0f, 87.0f));
        QCOMPARE(target.blits.at(2), velmora::diskPlacement(state, 3, 2, 1, 214.0f, 87.0f));
        // The picture is read afresh for every peg and every disk.
        QCOMPARE(target.pictureReads, 3 + 3);
    }

    void spriteShowsTheCursorWithAnEmptyHand()
    {
        GameState state = workedExample(4);
        state.Holding = BooleanFalse;
        state.HeldDisk = 4;  // stale: ignored
        RecordingTarget target;
        RedrawBoard(state, target);
        QCOMPARE(target.calls.at(0), std::string("sprite empty"));
        QCOMPARE(target.calls.at(1), std::string("sprite selector"));

        state.Holding = 1;  // any non-zero value is True
        target.calls.clear();
        RedrawBoard(state, target);
        QCOMPARE(target.calls.at(1), std::string("sprite disk"));
    }

    void pegsOfOtherNumbersDrawNothing()
    {
        const GameState state = workedExample();
        RecordingTarget target;
        for (const std::int16_t tower : {std::int16_t{0}, std::int16_t{4}, std::int16_t{-1}})
            DrawPeg(state, target, tower);
        QVERIFY(target.calls.empty());
    }

    void drawDiskAlwaysUsesTowerOneAndRefreshes()
    {
        const GameState state = workedExample();
        RecordingTarget target;
        DrawDisk(state, target, DiskSlot{5, 3}, 1);
        QCOMPARE(target.calls, (std::vector<std::string>{"blt", "refresh"}));
        QCOMPARE(target.blits.at(0), (DiskBlit{86, 303, 142, 87}));
    }
};

QTEST_GUILESS_MAIN(TestBoardRenderer)
#include "tst_board_renderer.moc"
