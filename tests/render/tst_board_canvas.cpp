#include "render/board_canvas.h"

#include <QTest>

using namespace velmora;

namespace {

const QColor Background(192, 192, 0);
constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb NearWhite = 0xFFFEFFFF;  // one step short of white in red
constexpr QRgb Navy = 0xFF000080;
constexpr QRgb Olive = 0xFF808000;

QRgb at(const BoardCanvas& canvas, int x, int y)
{
    return canvas.image().pixel(x, y);
}

// A 4 x 2 source: white, near-white, navy, olive on top; olive, navy, white, white below.
QImage smallSource()
{
    QImage image(4, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, White);
    image.setPixel(1, 0, NearWhite);
    image.setPixel(2, 0, Navy);
    image.setPixel(3, 0, Olive);
    image.setPixel(0, 1, Olive);
    image.setPixel(1, 1, Navy);
    image.setPixel(2, 1, White);
    image.setPixel(3, 1, White);
    return image;
}

} // namespace

class TestBoardCanvas : public QObject {
    Q_OBJECT

private slots:
    void exactWhiteIsSkippedNearWhiteIsDrawn()
    {
        BoardCanvas canvas(QSize(20, 10), Background);
        canvas.transparentBlt(QRect(2, 3, 4, 2), smallSource(), QRect(0, 0, 4, 2), 0xFFFFFF);
        QCOMPARE(at(canvas, 2, 3), Background.rgb());  // white: the board shows through
        QCOMPARE(at(canvas, 3, 3), NearWhite);
        QCOMPARE(at(canvas, 4, 3), Navy);
        QCOMPARE(at(canvas, 5, 3), Olive);
        QCOMPARE(at(canvas, 2, 4), Olive);
        QCOMPARE(at(canvas, 3, 4), Navy);
        QCOMPARE(at(canvas, 4, 4), Background.rgb());
        QCOMPARE(at(canvas, 5, 4), Background.rgb());
        QCOMPARE(at(canvas, 6, 3), Background.rgb());  // nothing beyond the rectangle
    }

    void stretchPicksTheNearestPixelWithoutSmoothing()
    {
        BoardCanvas canvas(QSize(20, 10), Background);
        canvas.transparentBlt(QRect(0, 0, 8, 4), smallSource(), QRect(0, 0, 4, 2), 0xFFFFFF);
        // Each source pixel becomes a 2 x 2 block; no blend between navy and olive.
        for (int y = 0; y < 2; ++y) {
            QCOMPARE(at(canvas, 4, y), Navy);
            QCOMPARE(at(canvas, 5, y), Navy);
            QCOMPARE(at(canvas, 6, y), Olive);
            QCOMPARE(at(canvas, 7, y), Olive);
            QCOMPARE(at(canvas, 0, y), Background.rgb());
        }
        QCOMPARE(at(canvas, 2, 3), Navy);

        // Shrunk to 2 x 1: columns 0 and 2 of the top row.
        BoardCanvas shrunk(QSize(4, 4), Background);
        shrunk.transparentBlt(QRect(1, 1, 2, 1), smallSource(), QRect(0, 0, 4, 2), 0xFFFFFF);
        QCOMPARE(at(shrunk, 1, 1), Background.rgb());
        QCOMPARE(at(shrunk, 2, 1), Navy);
    }

    void partlyOutsideIsClippedAndBadRectanglesCopyNothing()
    {
        BoardCanvas canvas(QSize(6, 4), Background);
        canvas.transparentBlt(QRect(-2, -1, 8, 4), smallSource(), QRect(0, 0, 4, 2), 0xFFFFFF);
        // Scaled x2 and shifted left by 2: the window's column 0 shows source column 1.
        QCOMPARE(at(canvas, 0, 0), NearWhite);
        QCOMPARE(at(canvas, 2, 0), Navy);
        QCOMPARE(at(canvas, 5, 2), Background.rgb());

        BoardCanvas untouched(QSize(6, 4), Background);
        untouched.takeDirty();
        untouched.transparentBlt(QRect(0, 0, -4, 2), smallSource(), QRect(0, 0, 4, 2), 0xFFFFFF);
        untouched.transparentBlt(QRect(0, 0, 4, 0), smallSource(), QRect(0, 0, 4, 2), 0xFFFFFF);
        untouched.transparentBlt(QRect(0, 0, 4, 2), smallSource(), QRect(0, 0, 5, 2), 0xFFFFFF);
        untouched.transparentBlt(QRect(10, 10, 4, 2), smallSource(), QRect(0, 0, 4, 2), 0xFFFFFF);
        QVERIFY(untouched.takeDirty().isEmpty());
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x)
                QCOMPARE(at(untouched, x, y), Background.rgb());
    }

    void boxIncludesBothCornersAndRoundsHalvesToEven()
    {
        BoardCanvas canvas(QSize(20, 20), Background);
        canvas.fillBox(5.0f, 2.0f, 9.0f, 12.0f, 0x000000);
        QCOMPARE(at(canvas, 5, 2), 0xFF000000u);
        QCOMPARE(at(canvas, 9, 12), 0xFF000000u);
        QCOMPARE(at(canvas, 4, 7), Background.rgb());
        QCOMPARE(at(canvas, 10, 7), Background.rgb());
        QCOMPARE(at(canvas, 7, 13), Background.rgb());

        BoardCanvas halves(QSize(20, 20), Background);
        halves.fillBox(2.5f, 3.5f, 4.0f, 6.67f, 0x000000);  // 2.5 -> 2, 3.5 -> 4, 6.67 -> 7
        QCOMPARE(at(halves, 2, 4), 0xFF000000u);
        QCOMPARE(at(halves, 2, 3), Background.rgb());
        QCOMPARE(at(halves, 1, 4), Background.rgb());
        QCOMPARE(at(halves, 4, 7), 0xFF000000u);
        QCOMPARE(at(halves, 4, 8), Background.rgb());
    }

    void onlyWhatChangedIsDirty()
    {
        BoardCanvas canvas(QSize(100, 50), Background);
        QCOMPARE(canvas.takeDirty(), QRegion(0, 0, 100, 50));
        QVERIFY(canvas.takeDirty().isEmpty());

        canvas.transparentBlt(QRect(10, 10, 8, 4), smallSource(), QRect(0, 0, 4, 2), 0xFFFFFF);
        QCOMPARE(canvas.takeDirty(), QRegion(10, 10, 8, 4));
        canvas.fillBox(0, 0, 1, 1, 0);
        QCOMPARE(canvas.takeDirty(), QRegion(0, 0, 2, 2));

        canvas.clear();
        QCOMPARE(canvas.takeDirty(), QRegion(0, 0, 100, 50));
        QCOMPARE(at(canvas, 11, 11), Background.rgb());
    }

    void surfaceGrowsKeepingItsDrawingAndNeverShrinks()
    {
        BoardCanvas canvas(QSize(10, 10), Background);
        canvas.fillBox(8, 8, 9, 9, 0x000080);
        canvas.ensureSize(QSize(4, 4));
        QCOMPARE(canvas.image().size(), QSize(10, 10));
        canvas.ensureSize(QSize(30, 12));
        QCOMPARE(canvas.image().size(), QSize(30, 12));
        QCOMPARE(at(canvas, 9, 9), Navy);
        QCOMPARE(at(canvas, 29, 11), Background.rgb());
        // Drawing beyond the visible window still lands on the surface.
        canvas.fillBox(25, 10, 26, 11, 0x000080);
        QCOMPARE(at(canvas, 26, 11), Navy);
    }
};

QTEST_GUILESS_MAIN(TestBoardCanvas)
#include "tst_board_canvas.moc"
