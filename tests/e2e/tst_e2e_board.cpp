// Starts the real game under X, finds its window and reads the board back as
// the screen shows it.

#include "game_process.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QTest>
#include <QThread>

#include <cmath>
#include <functional>

namespace {

constexpr int ClientWidth = 1002;
constexpr int ClientHeight = 628;
const QRgb Background = qRgb(192, 192, 0);
const QRgb Black = qRgb(0, 0, 0);
const QRgb Navy = qRgb(0, 0, 128);

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
    unsigned long window_ = 0;
    int menuHeight_ = 0;
    QImage firstClient_;

    QImage client() const { return game_.client(); }

private slots:
    void initTestCase()
    {
        QString reason;
        QVERIFY2(x_.open(&reason), qPrintable(reason));
        QVERIFY2(game_.start(QProcessEnvironment::systemEnvironment()),
                 "the game showed no board");
        window_ = game_.window();
    }

    void windowIsTitledSizedAndCentred()
    {
        const QRect geometry = x_.geometry(window_);
        QCOMPARE(geometry.width(), ClientWidth);
        menuHeight_ = geometry.height() - ClientHeight;
        QVERIFY2(menuHeight_ > 10 && menuHeight_ < 60, qPrintable(QString::number(menuHeight_)));

        // The board starts right below the menu bar.
        QVERIFY(waitFor([&] {
            const QImage whole = x_.grab(window_);
            return !whole.isNull() && whole.pixel(600, menuHeight_) == Background
                && whole.pixel(600, menuHeight_ - 1) != Background;
        }));

        const QSize screen = x_.screenSize();
        QVERIFY(std::abs(geometry.x() - (screen.width() - geometry.width()) / 2) <= 1);
        QVERIFY(std::abs(geometry.y() - (screen.height() - geometry.height()) / 2) <= 1);
    }

    void boardShowsTenDisksOnTowerOne()
    {
        QVERIFY(waitFor([&] { return client().pixel(471, 200) == Black; }));
        const QImage board = client();
        QVERIFY(!board.isNull());
        firstClient_ = board;
        board.save(QDir(QStringLiteral(VELMORA_SCREENSHOT_DIR)).filePath(QStringLiteral("e2e_board.png")));

        // Towers 2 and 3 hold nothing: their peg on the dark-yellow background.
        for (const int pegLeft : {469, 783}) {
            for (int y = 60; y <= 460; ++y) {
                for (int x = pegLeft - 110; x <= pegLeft + 114; ++x) {
                    const bool onPeg = x >= pegLeft && x <= pegLeft + 4 && y >= 100 && y <= 390;
                    if (board.pixel(x, y) != (onPeg ? Black : Background))
                        QFAIL(qPrintable(QStringLiteral("unexpected pixel at %1,%2").arg(x).arg(y)));
                }
            }
        }

        // Tower 1's peg shows from y 100 down to the top disk.
        for (int y = 100; y < 132; ++y)
            for (int x = 155; x <= 159; ++x)
                QCOMPARE(board.pixel(x, y), Black);
        QCOMPARE(board.pixel(154, 120), Background);
        QCOMPARE(board.pixel(160, 120), Background);

        // Each disk's top face shows navy in the band above the next disk; no
        // navy lies outside the bottom disk's box.
        for (int d = 1; d <= 10; ++d) {
            const QRect box = diskBox(d);
            const int bandBottom = d < 10 ? box.y() + 18 : box.bottom();
            int navy = 0;
            for (int y = box.y(); y <= bandBottom; ++y)
                for (int x = box.left(); x <= box.right(); ++x)
                    navy += board.pixel(x, y) == Navy ? 1 : 0;
            QVERIFY2(navy > 20, qPrintable(QStringLiteral("disk %1: %2 navy pixels").arg(d).arg(navy)));
        }
        const QRect tower(50, 132, 214, 259);
        for (int y = 100; y < ClientHeight; ++y)
            for (int x = 0; x < 340; ++x)
                if (!tower.contains(x, y) && board.pixel(x, y) != Background && !(x >= 155 && x <= 159))
                    QFAIL(qPrintable(QStringLiteral("stray pixel at %1,%2").arg(x).arg(y)));

        // The green cursor sprite above tower 1.
        int green = 0;
        for (int y = 22; y < 98; ++y)
            for (int x = 118; x < 197; ++x)
                green += qGreen(board.pixel(x, y)) > 120 && qRed(board.pixel(x, y)) < 100 ? 1 : 0;
        QVERIFY2(green > 1500, qPrintable(QString::number(green)));
        QCOMPARE(board.pixel(157, 10), Background);
    }

    void coveringAndUncoveringKeepsTheBoard()
    {
        QVERIFY(!firstClient_.isNull());
        const QRect onScreen = x_.geometry(window_);
        const unsigned long cover = x_.coverArea(onScreen.adjusted(100, 100, -200, -100));
        QVERIFY(cover != 0);
        QVERIFY(waitFor([&] { return client().pixel(300, 300) == qRgb(255, 255, 255); }));
        x_.destroyWindow(cover);
        QVERIFY2(waitFor([&] { return client() == firstClient_; }), "board not restored after uncovering");
    }

    void hidingAndRestoringKeepsTheBoard()
    {
        x_.unmap(window_);
        QVERIFY(waitFor([&] { return !x_.isViewable(window_); }));
        x_.map(window_);
        QVERIFY(waitFor([&] { return x_.isViewable(window_); }));
        QVERIFY2(waitFor([&] { return client() == firstClient_; }), "board not restored after mapping again");
    }

    void enlargingLeavesTheBoardAtTheTopLeft()
    {
        const QSize screen = x_.screenSize();
        const QRect before = x_.geometry(window_);
        const QSize large(screen.width(), screen.height());
        x_.moveResize(window_, QRect(QPoint(0, 0), large));
        QVERIFY(waitFor([&] { return x_.geometry(window_).size() == large; }));
        QVERIFY(waitFor([&] {
            const QImage whole = x_.grab(window_);
            return whole.size() == large && whole.pixel(large.width() - 5, large.height() - 5) == Background
                && whole.pixel(ClientWidth + 50, 300) == Background;
        }));
        QVERIFY2(waitFor([&] { return client() == firstClient_; }), "board moved when the window grew");

        x_.moveResize(window_, before);
        QVERIFY(waitFor([&] { return x_.geometry(window_) == before; }));
        QVERIFY2(waitFor([&] { return client() == firstClient_; }), "board changed when the window shrank back");
    }

    void gameIsStillRunning()
    {
        QCOMPARE(game_.process().state(), QProcess::Running);
    }
};

QTEST_GUILESS_MAIN(TestEndToEndBoard)
#include "tst_e2e_board.moc"
