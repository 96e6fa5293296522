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
#include <QThread>

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

// A 16-bit mono PCM wave file around the samples.
QByteArray waveFile(const QByteArray& samples, int rate)
{
    auto le32 = [](quint32 value) { return QByteArray(reinterpret_cast<const char*>(&value), 4); };
    auto le16 = [](quint16 value) { return QByteArray(reinterpret_cast<const char*>(&value), 2); };
    const auto size = static_cast<quint32>(samples.size());
    return "RIFF" + le32(36 + size) + "WAVEfmt " + le32(16) + le16(1) + le16(1) + le32(static_cast<quint32>(rate))
        + le32(static_cast<quint32>(rate) * 2) + le16(2) + le16(16) + "data" + le32(size) + samples;
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

    static qint64 timed(const std::function<void()>& call)
    {
        QElapsedTimer timer;
        timer.start();
        call();
        return timer.elapsed();
    }

private slots:
    void initTestCase() { QVERIFY(scratch_.isValid()); }

    void asynchronousReturnsAtOnceSynchronousWaitsForTheEnd()
    {
        auto player = playerOn("disk", scratch_.filePath(QStringLiteral("timing.raw")));
        QVERIFY(player->openDevice());
        const qint64 async = timed([&] { player->play(wave("Yahoo_ring_03.wav"), SoundAsync); });
        QVERIFY2(async < 100, qPrintable(QString::number(async)));

        // The ring is 1.0 s long; the wait ends with it and no earlier.
        const qint64 sync = timed([&] { player->play(wave("riiiing.wav"), SoundSync); });
        QVERIFY2(sync >= 1000 && sync <= 1000 + 100, qPrintable(QString::number(sync)));
        qInfo("synchronous 1.000 s cue held the caller %lld ms", sync);
        QCOMPARE(beeps_, 0);
    }

    void aNewCueCutsOffTheSoundingOne()
    {
        const QString output = scratch_.filePath(QStringLiteral("cut.raw"));
        {
            auto player = playerOn("disk", output);
            player->play(wave("Yahoo_ring_03.wav"), SoundAsync);  // 1.2 s, high notes
            QThread::msleep(200);
            player->play(wave("sound12.wav"), SoundAsync);        // 0.25 s, a low knock
            QThread::msleep(700);
        }
        const Recording heard = readBack(output);
        const auto [first, last] = heard.loudSpan();
        QVERIFY(last > first);
        const double span = heard.seconds(last - first);
        // 0.2 s of the arpeggio then the knock, instead of 1.2 s and more.
        QVERIFY2(span > 0.35 && span < 0.6, qPrintable(QString::number(span)));
        const std::size_t tenth = static_cast<std::size_t>(heard.rate / 10);
        QVERIFY(heard.crossingsPerSecond(first, first + tenth) > 900);  // C5 and its octave
        QVERIFY(heard.crossingsPerSecond(last - 2 * tenth, last - tenth / 2) < 700);  // 220 Hz
    }

    // Whatever lies under a cue's name, the call returns at once with the
    // fallback; nothing is waited for, not even a FIFO without a writer.
    void unplayableFilesFallBackQuietlyAndPromptly_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << "missing" << QByteArray();
        QTest::newRow("empty") << "file" << QByteArray("");
        QTest::newRow("not a wave") << "file" << QByteArray("Ati pierdut - mai incercati\n");
        QTest::newRow("wave header and no data") << "file" << QByteArray("RIFF\x24\x00\x00\x00WAVEfmt ", 16);
        QTest::newRow("wave header then garbage")
            << "file" << QByteArray("RIFF\x24\x10\x00\x00WAVE", 12) + QByteArray(4096, '\x5a');
        QTest::newRow("a folder") << "folder" << QByteArray();
        QTest::newRow("a FIFO") << "fifo" << QByteArray();
        QTest::newRow("a dangling link") << "link" << QByteArray();
    }

    void unplayableFilesFallBackQuietlyAndPromptly()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, content);
        const QString path = scratch_.filePath(QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_'));
        const QByteArray native = QFile::encodeName(path);
        if (kind == QStringLiteral("folder")) {
            QVERIFY(QDir().mkpath(path));
        } else if (kind == QStringLiteral("fifo")) {
            QCOMPARE(::mkfifo(native.constData(), 0600), 0);
        } else if (kind == QStringLiteral("link")) {
            QVERIFY(QFile::link(scratch_.filePath(QStringLiteral("nowhere.wav")), path));
        } else if (kind == QStringLiteral("file")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        const QString output = scratch_.filePath(QStringLiteral("fallback.raw"));
        {
            auto player = playerOn("disk", output);
            player->play(wave("Yahoo_ring_03.wav"), SoundAsync);
            QThread::msleep(100);
            const qint64 took = timed([&] { player->play(native.toStdString(), SoundSync); });
            QVERIFY2(took < 100, qPrintable(QString::number(took)));
            QCOMPARE(beeps_, 1);
            QThread::msleep(300);
        }
        // The failing cue still silenced the one sounding.
        const Recording heard = readBack(output);
        const auto [first, last] = heard.loudSpan();
        QVERIFY2(heard.seconds(last - first) < 0.25, qPrintable(QString::number(heard.seconds(last - first))));
    }

    // A blocking cue far longer than any cue holds the game five seconds, and
    // is silent from then on.
    void aLongBlockingCueIsStoppedAfterFiveSeconds()
    {
        const int rate = 22050;
        const int seconds = 60;
        QByteArray samples(rate * seconds * 2, Qt::Uninitialized);
        for (int i = 0; i < rate * seconds; ++i) {
            const qint16 sample = (i / 25) % 2 ? 12000 : -12000;  // 441 Hz square
            std::memcpy(samples.data() + 2 * i, &sample, 2);
        }
        const QString path = scratch_.filePath(QStringLiteral("long.wav"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(waveFile(samples, rate));
        file.close();

        const QString output = scratch_.filePath(QStringLiteral("long.raw"));
        {
            auto player = playerOn("disk", output);
            const qint64 took = timed([&] { player->play(QFile::encodeName(path).toStdString(), SoundSync); });
            QVERIFY2(took >= 5000 && took < 5600, qPrintable(QString::number(took)));
            QThread::msleep(500);
        }
        const Recording heard = readBack(output);
        const auto [first, last] = heard.loudSpan();
        const double span = heard.seconds(last - first);
        QVERIFY2(span > 4.8 && span < 5.3, qPrintable(QString::number(span)));
    }

    void truncatedWavePlaysWhatItHolds()
    {
        QFile whole(QString::fromStdString(wave("riiiing.wav")));
        QVERIFY(whole.open(QIODevice::ReadOnly));
        const QByteArray bytes = whole.readAll();
        const QString path = scratch_.filePath(QStringLiteral("truncated.wav"));
        QFile cut(path);
        QVERIFY(cut.open(QIODevice::WriteOnly));
        cut.write(bytes.left(44 + 22050 / 5 * 2));  // the header claims 1 s; 0.2 s is there
        cut.close();

        auto player = playerOn("disk", scratch_.filePath(QStringLiteral("truncated.raw")));
        const qint64 took = timed([&] { player->play(QFile::encodeName(path).toStdString(), SoundSync); });
        QVERIFY2(took < 600, qPrintable(QString::number(took)));
        QVERIFY(beeps_ <= 1);
    }

    void withoutADeviceEverythingIsSilentAndImmediate()
    {
        auto player = playerOn("no-such-driver");
        const qint64 took = timed([&] {
            player->play(wave("riiiing.wav"), SoundSync);
            player->play(wave("missing.wav"), SoundSync);
        });
        QVERIFY2(took < 50, qPrintable(QString::number(took)));
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
            player->play(wave("arrow.wav"), SoundAsync);  // 0.18 s
            QVERIFY(player->deviceOpen());
            QVERIFY(player->rest());  // still sounding: kept
            QThread::msleep(300);
            QVERIFY(!player->rest());
            QVERIFY(!player->deviceOpen());
            // Taken again, and the cue is heard in full.
            player->play(wave("riiiing.wav"), SoundSync);
            QVERIFY(player->deviceOpen());
        }
        const Recording heard = readBack(output);  // the second opening wrote the file anew
        const auto [first, last] = heard.loudSpan();
        QVERIFY2(heard.seconds(last - first) > 0.95, qPrintable(QString::number(heard.seconds(last - first))));
    }
};

QTEST_GUILESS_MAIN(TestSdlPlayer)
#include "tst_sdl_player.moc"
