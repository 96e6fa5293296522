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

#include <limits>
#include <memory>

using namespace velmora;

class TestSdlPlayer : public QObject {
    Q_OBJECT

private:
    QTemporaryDir scratch_;
    const QString output_ = scratch_.filePath(QStringLiteral("output.raw"));
    int beeps_ = 0;

    std::unique_ptr<SdlSoundPlayer> playerOn(const QByteArray& driver)
    {
        qputenv("SDL_AUDIODRIVER", driver);
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(output_));
        beeps_ = 0;
        return std::make_unique<SdlSoundPlayer>([this] { ++beeps_; });
    }

    static std::string wave(const char* name)
    {
        return QDir(QStringLiteral(VELMORA_WAVE_DIR)).filePath(QString::fromLatin1(name)).toStdString();
    }

    // How long the sound the disk driver wrote lasts, once it has ended (or
    // only started, if asked) and the driver has written 300 ms of quiet after
    // it; NaN when that did not come in time, which every bound then refuses.
    double awaitHeard(bool started = false) const
    {
        Recording heard;
        const bool came = QTest::qWaitFor([&] {
            QFile file(output_);
            heard = Recording::fromInterleaved(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), 44100, 2);
            const auto sounds = heard.sounds();
            return !sounds.empty()
                && (started || heard.samples.size() >= sounds.back().second + static_cast<std::size_t>(heard.rate * 3 / 10));
        }, 15000);
        const auto all = heard.sounds(1 << 30);  // one span from the first loud sample to the last
        return came ? heard.seconds(all[0].second - all[0].first) : std::numeric_limits<double>::quiet_NaN();
    }

    // How long the player takes to return from a synchronous cue and then
    // holds it.
    static qint64 held(SoundPlayer& player, const std::string& path)
    {
        QElapsedTimer timer;
        timer.start();
        player.play(path, SoundSync);
        (void)QTest::qWaitFor([&] { return !player.holding(); }, 20000);
        return timer.elapsed();
    }

private slots:
    // Whatever lies under a cue's name, the call returns at once with the
    // fallback, holds nothing, and still silences the cue sounding; nothing is
    // waited for, not even a FIFO without a writer.
    void unplayableFilesFallBackQuietlyAndPromptly_data()
    {
        QTest::addColumn<QByteArray>("content");  // "fifo": a FIFO; empty: no file
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a wave") << QByteArray("Ati pierdut - mai incercati\n");
        QTest::newRow("wave header then garbage") << QByteArray("RIFF\x24\x10\x00\x00WAVE", 12) + QByteArray(4096, '\x5a');
        QTest::newRow("a FIFO") << QByteArray("fifo");
        QFile ring(QString::fromStdString(wave("riiiing.wav")));
        QVERIFY(ring.open(QIODevice::ReadOnly));
        QTest::newRow("a byte rate of 1") << ring.readAll().left(44 + 8820).replace(28, 4, QByteArray("\1\0\0\0", 4));
    }

    void unplayableFilesFallBackQuietlyAndPromptly()
    {
        QFETCH(QByteArray, content);
        const QByteArray path = QFile::encodeName(scratch_.filePath(QString::fromLatin1(QTest::currentDataTag())));
        QFile file(QFile::decodeName(path));
        if (content == "fifo")
            QCOMPARE(::mkfifo(path.constData(), 0600), 0);
        else if (!content.isEmpty())
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        file.close();
        auto player = playerOn("disk");
        player->play(wave("Yahoo_ring_03.wav"), SoundAsync);  // 1.2 s
        awaitHeard(true);
        const qint64 took = held(*player, path.toStdString());
        QVERIFY2(took < 1000, qPrintable(QString::number(took)));
        QCOMPARE(beeps_, 1);
        const double heard = awaitHeard();
        QVERIFY2(heard < 0.8, qPrintable(QString::number(heard)));
    }

    // A synchronous cue returns at once and holds as long as its sound, five
    // seconds at most, and is silent after. Upper bounds leave room for a busy
    // machine: what they catch is a hold for the whole sound (a second, or a
    // minute).
    void synchronousCuesHoldAsLongAsTheySound()
    {
        QFile ring(QString::fromStdString(wave("riiiing.wav")));
        QVERIFY(ring.open(QIODevice::ReadOnly));
        const QString cue = scratch_.filePath(QStringLiteral("cue.wav"));
        const struct {
            QByteArray wave;
            int shortest, longest;  // ms held
            double least, most;     // s heard
        } cases[] = {{ring.readAll().left(44 + 22050 / 5 * 2), 0, 900, 0.15, 0.3},  // a header claiming 1 s over 0.2 s
                     {toneWave(441, 60), 5000, 10000, 4.5, 5.3}};                  // a minute, stopped at 5 s
        for (const auto& sound : cases) {
            QFile file(cue);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(sound.wave) == sound.wave.size());
            file.close();
            auto player = playerOn("disk");
            QVERIFY(player->openDevice());
            QElapsedTimer call;
            call.start();
            player->play(QFile::encodeName(cue).toStdString(), SoundSync);
            // Loading a minute of sound takes a while; sounding it would take five seconds.
            QVERIFY2(call.elapsed() < 2500, qPrintable(QString::number(call.elapsed())));
            QVERIFY(QTest::qWaitFor([&] { return !player->holding(); }, 20000));
            const qint64 took = call.elapsed();
            QVERIFY2(took >= sound.shortest && took <= sound.longest, qPrintable(QString::number(took)));
            const double heard = awaitHeard();
            QVERIFY2(heard >= sound.least && heard <= sound.most, qPrintable(QString::number(heard)));
            QCOMPARE(beeps_, 0);
        }
    }

    void withoutADeviceEverythingIsSilentAndImmediate()
    {
        auto player = playerOn("no-such-driver");
        const qint64 took = held(*player, wave("riiiing.wav")) + held(*player, wave("missing.wav"));
        QVERIFY2(took < 700, qPrintable(QString::number(took)));
        QVERIFY(!player->deviceOpen());
        QCOMPARE(beeps_, 0);
    }

    void theDeviceIsLetGoWhenQuietAndTakenAgainByTheNextCue()
    {
        auto player = playerOn("disk");
        QVERIFY(!player->deviceOpen());  // nothing taken before the first cue
        QVERIFY(!player->rest());
        player->play(wave("Yahoo_ring_03.wav"), SoundAsync);  // 1.2 s
        QVERIFY(player->deviceOpen());
        QVERIFY(player->rest());  // still sounding: kept
        QVERIFY(QTest::qWaitFor([&] { return !player->rest(); }, 10000));
        QVERIFY(!player->deviceOpen());
        // Taken again, and the cue is heard in full.
        player->play(wave("riiiing.wav"), SoundAsync);
        QVERIFY(player->deviceOpen());
        const double heard = awaitHeard();  // the second opening wrote the file anew
        QVERIFY2(heard > 0.95, qPrintable(QString::number(heard)));
    }
};

QTEST_GUILESS_MAIN(TestSdlPlayer)
#include "tst_sdl_player.moc"
