// The player's timing and cut-off behaviour, on SDL's "disk" audio driver,
// which plays in real time into a file that the test reads back.

#include "pcm_analysis.h"
#include "sound/sdl_sound_player.h"
#include "sound/sound_player.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <cstring>
#include <memory>

using namespace velmora;

namespace {

const QString Waves = QStringLiteral(VELMORA_WAVE_DIR);

std::string wave(const char* name)
{
    return QDir(Waves).filePath(QString::fromLatin1(name)).toStdString();
}

} // namespace

class TestSdlPlayer : public QObject {
    Q_OBJECT

private:
    QTemporaryDir scratch_;
    int beeps_ = 0;

    std::unique_ptr<SdlSoundPlayer> playerOn(const QByteArray& driver, const QString& output = QString())
    {
        qputenv("SDL_AUDIODRIVER", driver);
        if (!output.isEmpty())
            qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(output));
        beeps_ = 0;
        return std::make_unique<SdlSoundPlayer>([this] { ++beeps_; });
    }

    // What the disk driver wrote: 44.1 kHz stereo, left channel.
    static Recording readBack(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return Recording{};
        return Recording::fromInterleaved(file.readAll(), 44100, 2);
    }

    // Waits until what the disk driver wrote holds a sound and, unless only
    // its start is asked for, 300 ms of quiet after it.
    static Recording awaitHeard(const QString& path, bool started = false)
    {
        Recording heard;
        (void)QTest::qWaitFor([&] {
            heard = readBack(path);
            const auto sounds = heard.sounds();
            return !sounds.empty()
                && (started || heard.samples.size() >= sounds.back().second + static_cast<std::size_t>(heard.rate * 3 / 10));
        }, 15000);
        return heard;
    }

    static qint64 timed(const std::function<void()>& call)
    {
        QElapsedTimer timer;
        timer.start();
        call();
        return timer.elapsed();
    }

private slots:
    void initTestCase() { QVERIFY(scratch_.isValid()); }

    // Whatever lies under a cue's name, the call returns at once with the
    // fallback; nothing is waited for, not even a FIFO without a writer.
    void unplayableFilesFallBackQuietlyAndPromptly_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << "missing" << QByteArray();
        QTest::newRow("not a wave") << "file" << QByteArray("Ati pierdut - mai incercati\n");
        QTest::newRow("wave header then garbage")
            << "file" << QByteArray("RIFF\x24\x10\x00\x00WAVE", 12) + QByteArray(4096, '\x5a');
        QTest::newRow("a FIFO") << "fifo" << QByteArray();
    }

    void unplayableFilesFallBackQuietlyAndPromptly()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, content);
        const QString path = scratch_.filePath(QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_'));
        const QByteArray native = QFile::encodeName(path);
        if (kind == QStringLiteral("fifo")) {
            QCOMPARE(::mkfifo(native.constData(), 0600), 0);
        } else if (kind == QStringLiteral("file")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        const QString output = scratch_.filePath(QStringLiteral("fallback.raw"));
        {
            auto player = playerOn("disk", output);
            player->play(wave("Yahoo_ring_03.wav"), SoundAsync);
            awaitHeard(output, true);
            const qint64 took = timed([&] { player->play(native.toStdString(), SoundSync); });
            QVERIFY2(took < 1000, qPrintable(QString::number(took)));
            QCOMPARE(beeps_, 1);
            // The failing cue still silenced the one sounding, 1.2 s long.
            const Recording heard = awaitHeard(output);
            const auto [first, last] = heard.loudSpan();
            QVERIFY2(heard.seconds(last - first) < 0.8, qPrintable(QString::number(heard.seconds(last - first))));
        }
    }

    // A blocking cue holds the caller as long as its sound, five seconds at
    // most, and is silent after; an asynchronous one returns at once.
    void blockingCuesHoldTheCallerAsLongAsTheySound_data()
    {
        QTest::addColumn<QByteArray>("wave");
        QTest::addColumn<int>("shortest");  // ms
        QTest::addColumn<int>("longest");
        QTest::addColumn<double>("least");  // s heard
        QTest::addColumn<double>("most");
        QFile ring(QString::fromStdString(wave("riiiing.wav")));
        QVERIFY(ring.open(QIODevice::ReadOnly));
        const QByteArray ringBytes = ring.readAll();
        // Upper bounds leave room for a busy machine: what they catch is a
        // wait for the whole sound (a second, or a minute), not a slow one.
        QTest::newRow("the 1-second ring") << ringBytes << 1000 << 3000 << 0.95 << 1.1;
        QTest::newRow("a header claiming 1 s over 0.2 s") << ringBytes.left(44 + 22050 / 5 * 2) << 0 << 900 << 0.15 << 0.3;
        QTest::newRow("a minute, stopped at 5 s") << toneWave(441, 60) << 5000 << 10000 << 4.5 << 5.3;
    }

    void blockingCuesHoldTheCallerAsLongAsTheySound()
    {
        QFETCH(QByteArray, wave);
        QFETCH(int, shortest);
        QFETCH(int, longest);
        QFETCH(double, least);
        QFETCH(double, most);
        const QString path = scratch_.filePath(QStringLiteral("cue.wav"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(wave);
        file.close();
        const QString output = scratch_.filePath(QStringLiteral("cue.raw"));
        {
            auto player = playerOn("disk", output);
            QVERIFY(player->openDevice());
            const qint64 took = timed([&] { player->play(QFile::encodeName(path).toStdString(), SoundSync); });
            QVERIFY2(took >= shortest && took <= longest, qPrintable(QString::number(took)));
            const Recording recording = awaitHeard(output);
            const auto [first, last] = recording.loudSpan();
            const double span = recording.seconds(last - first);
            QVERIFY2(span >= least && span <= most, qPrintable(QString::number(span)));
        }
        QCOMPARE(beeps_, 0);
    }

    void withoutADeviceEverythingIsSilentAndImmediate()
    {
        auto player = playerOn("no-such-driver");
        const qint64 took = timed([&] {
            player->play(wave("riiiing.wav"), SoundSync);
            player->play(wave("missing.wav"), SoundSync);
        });
        QVERIFY2(took < 700, qPrintable(QString::number(took)));
        QVERIFY(!player->deviceOpen());
        QCOMPARE(beeps_, 0);
    }

    void theDeviceIsLetGoWhenQuietAndTakenAgainByTheNextCue()
    {
        const QString output = scratch_.filePath(QStringLiteral("rest.raw"));
        {
            auto player = playerOn("disk", output);
            QVERIFY(!player->deviceOpen());  // nothing taken before the first cue
            QVERIFY(!player->rest());
            player->play(wave("Yahoo_ring_03.wav"), SoundAsync);  // 1.2 s
            QVERIFY(player->deviceOpen());
            QVERIFY(player->rest());  // still sounding: kept
            QVERIFY(QTest::qWaitFor([&] { return !player->rest(); }, 10000));
            QVERIFY(!player->deviceOpen());
            // Taken again, and the cue is heard in full.
            player->play(wave("riiiing.wav"), SoundSync);
            QVERIFY(player->deviceOpen());
            const Recording heard = awaitHeard(output);  // the second opening wrote the file anew
            const auto [first, last] = heard.loudSpan();
            QVERIFY2(heard.seconds(last - first) > 0.95, qPrintable(QString::number(heard.seconds(last - first))));
        }
    }
};

QTEST_GUILESS_MAIN(TestSdlPlayer)
#include "tst_sdl_player.moc"
