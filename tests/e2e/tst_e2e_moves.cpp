// Moves with the real executable and real key events: a lift shows the disk
// in hand on the sprite and empties its place, a drop puts it on tower 3 at
// its place, a refused drop changes no pixel, and the lift and drop cues are
// heard through PulseAudio.

#include "sounding_game.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QTest>
#include <QThread>

#include <functional>

namespace {

constexpr int ClientWidth = GameProcess::ClientWidth;
const QRgb Background = qRgb(192, 192, 0);
const QRgb Navy = qRgb(0, 0, 128);

int count(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& matches)
{
    int found = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            found += matches(image.pixel(x, y)) ? 1 : 0;
    return found;
}

bool isGrey(QRgb pixel)
{
    const int r = qRed(pixel);
    return r > 90 && r < 245 && std::abs(r - qGreen(pixel)) < 12 && std::abs(r - qBlue(pixel)) < 12;
}

bool isGreen(QRgb pixel)
{
    return qGreen(pixel) > 120 && qRed(pixel) < 100 && qBlue(pixel) < 100;
}

// The sprite's inner picture over a tower (its left edge 115.5, 429.5, 743.5).
QRect spriteOver(int tower)
{
    const int left = tower == 1 ? 116 : tower == 2 ? 430 : 744;
    return QRect(left + 2, 22, 77, 76);
}

} // namespace

class TestEndToEndMoves : public QObject {
    Q_OBJECT

private:
    XSession x_;
    PulseServer pulse_;
    GameProcess game_{x_};

    QImage board() const { return game_.client(); }

    void key(const char* name) { QVERIFY(game_.key(name)); }

private slots:
    void initTestCase()
    {
        QString reason;
        QVERIFY2(startSoundingGame(x_, pulse_, game_, &reason), qPrintable(reason));
    }

    void liftMoveDropAndARefusedDrop()
    {
        SinkRecorder recorder(pulse_.fifo());
        QVERIFY(recorder.started());
        key("F2");
        QThread::msleep(300);

        // The top disk (disk 10, level 10: x 131, y 132, 52 x 35) leaves tower 1
        // and the sprite shows the grey disk-in-hand picture.
        const QRect topDisk(131, 132, 52, 18);
        QVERIFY(count(board(), topDisk, [](QRgb p) { return p == Navy; }) > 50);
        key("space");
        QVERIFY2(waitFor([&] { return count(board(), spriteOver(1), isGrey) > 1500; }), "no disk on the sprite");
        QCOMPARE(count(board(), topDisk, [](QRgb p) { return p == Navy; }), 0);
        QCOMPARE(count(board(), spriteOver(1), isGreen), 0);
        QThread::msleep(300);

        key("Right");
        key("Right");
        QVERIFY(waitFor([&] { return count(board(), spriteOver(3), isGrey) > 1500; }));
        key("space");
        // Disk 10 at the bottom of tower 3: x 759, y 303, 52 x 87; the cursor again.
        QVERIFY2(waitFor([&] { return count(board(), spriteOver(3), isGreen) > 1500; }), "no cursor after the drop");
        const QImage dropped = board();
        QVERIFY(count(dropped, QRect(759, 303, 52, 30), [](QRgb p) { return p == Navy; }) > 200);
        QCOMPARE(count(dropped, QRect(700, 303, 50, 87), [](QRgb p) { return p != Background; }), 0);
        QThread::msleep(300);

        // Disk 9 taken over to tower 3, whose top is the smaller disk 10: refused.
        key("Left");
        key("Left");
        QVERIFY(waitFor([&] { return count(board(), spriteOver(1), isGreen) > 1500; }));
        key("space");
        QVERIFY(waitFor([&] { return count(board(), spriteOver(1), isGrey) > 1500; }));
        QThread::msleep(300);
        key("Right");
        key("Right");
        QVERIFY(waitFor([&] { return count(board(), spriteOver(3), isGrey) > 1500; }));
        // The board and the sprite, above the read-out that counts the seconds.
        const QRect play(0, 0, ClientWidth, 470);
        const QImage before = board().copy(play);
        key("space");
        QThread::msleep(600);
        QVERIFY2(board().copy(play) == before, "a refused drop changed the screen");
        board().save(QDir(QStringLiteral(VELMORA_SCREENSHOT_DIR)).filePath(QStringLiteral("e2e_moves.png")));

        // Heard: lift (a rising whistle), drop (a low knock), lift; nothing for the refusal.
        const Recording heard = recorder.snapshot();
        const auto sounds = heard.sounds();
        QCOMPARE(sounds.size(), std::size_t{3});
        const double lift = heard.crossingsPerSecond(sounds[0].first, sounds[0].second);
        const double drop = heard.crossingsPerSecond(sounds[1].first, sounds[1].second);
        const double again = heard.crossingsPerSecond(sounds[2].first, sounds[2].second);
        qInfo("crossings per second: lift %.0f, drop %.0f, lift %.0f", lift, drop, again);
        QVERIFY(lift > 1500 && again > 1500);
        QVERIFY(drop < 1000);
        QVERIFY(heard.seconds(sounds[1].second - sounds[1].first) > 0.15);
    }
};

QTEST_GUILESS_MAIN(TestEndToEndMoves)
#include "tst_e2e_moves.moc"
