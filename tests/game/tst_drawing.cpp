// Drawing the board: the renderer's order seen
// on the surface, and the surface's own operations.

#include "board/keyboard.h"
#include "recording_front_end.h"

#include <QTest>

using namespace velmora;

namespace {

const Pixel Red = rgb(255, 0, 0);

} // namespace

class TestDrawing : public QObject {
    Q_OBJECT

private slots:
    // Every disk bottom up, tower 1 first, each put on the screen as it is
    // drawn; moving the cursor draws nothing. (The pixels of the whole board
    // are the end-to-end board test's.)
    void theBoardOnTheSurface()
    {
        TestGame test(true);
        test.game.command(Command::Start);
        test.game.keyDown(KeyCodeSpace);  // disk 10 in hand
        test.frontEnd.shown.clear();
        test.game.keyDown(KeyCodeRight);
        QVERIFY(test.frontEnd.shown.empty());  // the cursor moves, nothing is redrawn
        test.game.keyDown(KeyCodeSpace);

        QCOMPARE(test.frontEnd.shown.size(), std::size_t{10});
        QCOMPARE(test.frontEnd.shown.front(), test.game.surface().bounds());  // cleared, pegs and disk 1
        QCOMPARE(test.frontEnd.shown.back(), (Rect{445, 303, 52, 87}));       // disk 10, last, on tower 2
        QCOMPARE(test.game.surface().pixel(471, 350), rgb(0, 0, 128));  // disk 10 covers its peg
    }

    void boxIncludesBothCornersAndRoundsHalvesToEven()
    {
        Surface surface(10, 10, White);
        surface.takeChanged();
        surface.fillBox(4.5f, 1.5f, 2.0f, 2.5f, Red);  // 4.5 to 4, 1.5 and 2.5 to 2
        QCOMPARE(surface.takeChanged(), (Rect{2, 2, 3, 1}));
        QCOMPARE(surface.pixel(2, 2), Red);
        QCOMPARE(surface.pixel(4, 2), Red);
        QCOMPARE(surface.pixel(5, 2), White);
        QCOMPARE(surface.pixel(3, 1), White);
        surface.fillBox(-5, -5, 20, 0, Red);  // clipped to the surface
        QCOMPARE(surface.takeChanged(), (Rect{0, 0, 10, 1}));
    }

    void stretchedCopyByNearestPixelSkipsExactWhite()
    {
        // Two columns: red, and white over near-white.
        const Picture source{2, 2, {Red, White, Red, rgb(255, 255, 254)}};
        Surface surface(8, 8, Black);
        surface.takeChanged();
        surface.transparentBlt(Rect{1, 1, 4, 4}, source, Rect{0, 0, 2, 2}, 0xFFFFFF);
        QCOMPARE(surface.takeChanged(), (Rect{1, 1, 4, 4}));
        QCOMPARE(surface.pixel(2, 1), Red);
        QCOMPARE(surface.pixel(3, 1), Black);  // exact white stays out
        QCOMPARE(surface.pixel(4, 2), Black);
        QCOMPARE(surface.pixel(4, 3), rgb(255, 255, 254));
        QCOMPARE(surface.pixel(5, 3), Black);

        // Off the surface in part, clipped; a bad source or size copies nothing.
        surface.transparentBlt(Rect{6, 6, 4, 4}, source, Rect{0, 0, 2, 2}, 0xFFFFFF);
        QCOMPARE(surface.takeChanged(), (Rect{6, 6, 2, 2}));
        surface.transparentBlt(Rect{0, 0, 4, 4}, source, Rect{1, 1, 2, 2}, 0xFFFFFF);
        surface.transparentBlt(Rect{0, 0, 0, 4}, source, Rect{0, 0, 2, 2}, 0xFFFFFF);
        surface.transparentBlt(Rect{0, 0, -4, 4}, source, Rect{0, 0, 2, 2}, 0xFFFFFF);
        QVERIFY(surface.takeChanged().empty());
    }

    // A canvas's copy holds bytes red, green, blue, alpha (on this
    // little-endian machine, as in a browser), converted where asked only.
    void canvasCopiesInItsByteOrder()
    {
        const Surface surface(3, 2, rgb(1, 2, 3));
        std::vector<std::uint32_t> rgba;
        surface.copyRgba(Rect{1, 1, 5, 5}, rgba);
        QCOMPARE(rgba.size(), std::size_t{6});
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&rgba[4]), 4), QByteArray("\1\2\3\xff", 4));
        QCOMPARE(rgba[3], 0u);  // outside the area
        QCOMPARE(rgbaPixels(surface.picture()).at(3), rgba[4]);
    }
};

QTEST_GUILESS_MAIN(TestDrawing)
#include "tst_drawing.moc"
