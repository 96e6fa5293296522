// The real game's first board as the screen shows it, kept from the drawing
// surface when the window grows and shrinks.

#include "game_process.h"

#include <QDir>
#include <QTest>

#include <cmath>

using namespace probe;

namespace {

constexpr int ClientWidth = GameProcess::ClientWidth;
constexpr int ClientHeight = GameProcess::ClientHeight;

// Where disk d of a fresh 10-disk tower 1 is copied (it stands at level d).
QRect diskBox(int d)
{
    const int x = 50 + 9 * (d - 1);
    const int width = 214 - 18 * (d - 1);
    const int y = 303 - 19 * (d - 1);
    const int height = static_cast<int>(std::nearbyint(87.0 - (d - 1) / 15.0 * 87.0));
    return QRect(x, y, width, height);
}

} // namespace

class TestEndToEndBoard : public QObject {
    Q_OBJECT

private:
    XSession x_;
    GameProcess game_{x_};
    QImage firstBoard_;

    QImage client() const { return game_.client(); }

private slots:
    void initTestCase()
    {
        QVERIFY2(x_.isOpen(), "no X session");
        QVERIFY2(game_.start(), "the game showed no board");
    }

    void windowIsTitledSizedAndCentred()
    {
        QCOMPARE(x_.geometry(game_.window()).width(), ClientWidth);
        QVERIFY2(game_.menuHeight() > 10 && game_.menuHeight() < 60, qPrintable(QString::number(game_.menuHeight())));
        // Windows centres the whole frame, whose title bar Wine keeps outside;
        // Wine may map the window first and move it there after.
        const int slack = GameProcess::windowsBuild() ? 32 : 1;
        const QSize screen = x_.screenSize();
        QRect geometry;
        QVERIFY2(waitFor([&] {
            geometry = x_.geometry(game_.window());
            return std::abs(geometry.x() - (screen.width() - geometry.width()) / 2) <= slack
                && std::abs(geometry.y() - (screen.height() - geometry.height()) / 2) <= slack;
        }), qPrintable(QStringLiteral("window at %1,%2 on %3x%4").arg(geometry.x()).arg(geometry.y()).arg(screen.width()).arg(screen.height())));
    }

    // Three pegs 5 pixels wide from y 100 to 390, ten disks on tower 1, each
    // showing its navy top face, the green cursor above, nothing else.
    void boardShowsTenDisksOnTowerOne()
    {
        const QImage board = firstBoard_ = client();
        const QDir shots(QStringLiteral(VELMORA_SCREENSHOT_DIR));
        board.save(shots.filePath(GameProcess::windowsBuild() ? QStringLiteral("e2e_board_windows.png")
                                                              : QStringLiteral("e2e_board.png")));
        // A Windows build draws the very board the Linux build drew before it.
        const QImage linux(shots.filePath(QStringLiteral("e2e_board.png")));
        if (GameProcess::windowsBuild() && !linux.isNull())
            QVERIFY2(board == linux.convertToFormat(board.format()), "the board differs from the Linux build's");
        const QRect tower(50, 132, 214, 259);
        const QRect sprite(116, 20, 83, 80);
        for (int y = 0; y < ClientHeight; ++y) {
            for (int x = 0; x < ClientWidth; ++x) {
                const bool onPeg = (std::abs(x - 157) <= 2 || std::abs(x - 471) <= 2 || std::abs(x - 785) <= 2)
                    && y >= 100 && y <= 390;
                const QRgb pixel = board.pixel(x, y);
                if (!tower.contains(x, y) && !sprite.contains(x, y) && pixel != (onPeg ? Black : Background))
                    QFAIL(qPrintable(QStringLiteral("unexpected pixel at %1,%2").arg(x).arg(y)));
            }
        }
        for (int d = 1; d <= 10; ++d) {
            const QRect box = diskBox(d);
            const int navy = count(board, QRect(box.x(), box.y(), box.width(), 19), isNavy);
            QVERIFY2(navy > 20, qPrintable(QStringLiteral("disk %1: %2 navy pixels").arg(d).arg(navy)));
        }
        QVERIFY(cursorOver(board, 1));
    }

    void growingAndShrinkingKeepsTheBoardAtTheTopLeft()
    {
        if (GameProcess::windowsBuild())
            QSKIP("Wine without a window manager does not take a size from outside");
        const QRect before = x_.geometry(game_.window());
        const QSize large = x_.screenSize();
        x_.moveResize(game_.window(), QRect(QPoint(0, 0), large));
        QVERIFY(waitFor([&] {
            const QImage whole = x_.grab(game_.window());
            return whole.size() == large && whole.pixel(large.width() - 5, large.height() - 5) == Background;
        }));
        QVERIFY2(waitFor([&] { return client() == firstBoard_; }), "board moved when the window grew");
        x_.moveResize(game_.window(), before);
        QVERIFY(waitFor([&] { return x_.geometry(game_.window()) == before; }));
        QVERIFY2(waitFor([&] { return client() == firstBoard_; }), "board changed when the window shrank back");
    }

    // At twice the scale every pixel of the board becomes a square of four.
    void twiceTheScaleDoublesTheBoardExactly()
    {
        if (GameProcess::windowsBuild())
            QSKIP("the scale factor is Qt's; the Windows build leaves scaling to Windows");
        GameProcess game(x_, 2);
        QVERIFY2(game.start(), "the game showed no board at 2x");
        const QImage doubled = game.client();
        doubled.save(QDir(QStringLiteral(VELMORA_SCREENSHOT_DIR)).filePath(QStringLiteral("e2e_board_2x.png")));
        QCOMPARE(doubled.size(), firstBoard_.size() * 2);
        for (int y = 0; y < doubled.height(); ++y)
            for (int x = 0; x < doubled.width(); ++x)
                if (doubled.pixel(x, y) != firstBoard_.pixel(x / 2, y / 2))
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2 differs").arg(x).arg(y)));
        QVERIFY(game.exitWithF4());
    }

    void f4EndsTheProgram() { QVERIFY2(game_.exitWithF4(), "F4 did not end the game normally"); }
};

QTEST_GUILESS_MAIN(TestEndToEndBoard)
#include "tst_e2e_board.moc"
