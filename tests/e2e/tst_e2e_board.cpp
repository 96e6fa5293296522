// The real game's first board as the screen shows it, kept from the drawing
// surface when the window grows and shrinks.

#include "game_process.h"

#include <QDir>
#include <QTest>


using namespace probe;

constexpr int ClientWidth = GameProcess::ClientWidth;

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

    // Three pegs, ten disks on tower 1, the cursor over them, as kept: the
    // Windows build draws the very board of the Linux build.
    void boardShowsTenDisksOnTowerOne()
    {
        QVERIFY2(looksAsKept([&] { return firstBoard_ = client(); }, QStringLiteral("board")),
                 "the board differs from its kept picture");
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

    // At twice the scale (192 dots per inch on Windows) every pixel of the
    // board becomes a square of four.
    void twiceTheScaleDoublesTheBoardExactly()
    {
        GameProcess game(x_, 2);
        QVERIFY2(game.start(), "the game showed no board at 2x");
        const QImage doubled = game.client();
        doubled.save(QDir(QStringLiteral(VELMORA_SCREENSHOT_DIR))
                         .filePath(GameProcess::windowsBuild() ? QStringLiteral("e2e_board_2x_windows.png")
                                                               : QStringLiteral("e2e_board_2x.png")));
        QVERIFY(doubled == firstBoard_.scaled(firstBoard_.size() * 2));  // nearest pixel: each one doubled
        QVERIFY(game.exitWithF4());
    }

    void f4EndsTheProgram() { QVERIFY2(game_.exitWithF4(), "F4 did not end the game normally"); }
};

QTEST_GUILESS_MAIN(TestEndToEndBoard)
#include "tst_e2e_board.moc"
