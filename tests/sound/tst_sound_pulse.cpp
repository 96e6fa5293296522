// Real audio: a PulseAudio server of the test's own, the real player playing
// into its sink, and the test reading back what the sink played. Shows that
// what comes out is the cue's sound, for the cue's length, and that a second
// cue started early cuts the first one short.

#include "pulse_capture.h"
#include "sound/sdl_sound_player.h"
#include "sound/sound_player.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>

#include <memory>

using namespace velmora;

namespace {

constexpr int RecordRate = PulseServer::Rate;

std::string wave(const char* name)
{
    return QDir(QStringLiteral(VELMORA_WAVE_DIR)).filePath(QString::fromLatin1(name)).toStdString();
}

} // namespace

class TestSoundPulse : public QObject {
    Q_OBJECT

private:
    PulseServer server_;
    std::unique_ptr<SinkRecorder> recorder_;
    std::unique_ptr<SdlSoundPlayer> player_;

private slots:
    void initTestCase()
    {
        QString reason;
        QVERIFY2(server_.start(&reason), qPrintable(reason));
        // The player in this process talks to the same server.
        qputenv("PULSE_SERVER", server_.environment().value(QStringLiteral("PULSE_SERVER")).toLocal8Bit());
        qputenv("SDL_AUDIODRIVER", "pulseaudio");
    }

    // Each test: a recorder on the sink and a player with its device open,
    // then a moment of quiet before the recording starts.
    void init()
    {
        recorder_ = std::make_unique<SinkRecorder>(server_.fifo());
        QVERIFY(recorder_->started());
        player_ = std::make_unique<SdlSoundPlayer>();
        QVERIFY(player_->openDevice());
        QThread::msleep(300);
        recorder_->restart();
    }

    void cleanup()
    {
        player_.reset();
        recorder_.reset();
    }

    void theRingSoundsForItsSecondAndHoldsTheCallerAsLong()
    {
        SinkRecorder& recorder = *recorder_;
        SdlSoundPlayer& player = *player_;
        QThread::msleep(100);

        const std::size_t calledAt = recorder.position();
        QElapsedTimer held;
        held.start();
        player.play(wave("riiiing.wav"), SoundSync);
        const qint64 heldFor = held.elapsed();
        QThread::msleep(600);

        const Recording heard = recorder.snapshot();
        const auto [first, last] = heard.loudSpan();
        QVERIFY2(last > first, qPrintable(QStringLiteral("nothing was heard in %1 samples").arg(heard.samples.size())));
        const double length = heard.seconds(last - first);
        const double latency = first > calledAt ? heard.seconds(first - calledAt) : 0.0;
        qInfo("ring: heard %.3f s (file 1.000 s), first sample %.0f ms after the call, caller held %lld ms",
              length, latency * 1000, heldFor);
        QVERIFY2(length > 0.9 && length < 1.1, qPrintable(QString::number(length)));
        QVERIFY(heard.rms(first, last) > 0.15);  // played at the file's loudness, not faintly
        // 1500 and 1900 Hz trading: about 3400 zero crossings a second.
        const double crossings = heard.crossingsPerSecond(first, last);
        QVERIFY2(crossings > 3000 && crossings < 3800, qPrintable(QString::number(crossings)));
        QVERIFY2(heldFor >= 1000 && heldFor <= 1100, qPrintable(QString::number(heldFor)));
    }

    void aSecondCueCutsTheFirstShort()
    {
        SinkRecorder& recorder = *recorder_;
        SdlSoundPlayer& player = *player_;

        player.play(wave("Yahoo_ring_03.wav"), SoundAsync);  // 1.2 s
        QThread::msleep(200);
        player.play(wave("sound12.wav"), SoundAsync);        // 0.25 s
        QThread::msleep(1500);

        const Recording heard = recorder.snapshot();
        const auto [first, last] = heard.loudSpan();
        QVERIFY2(last > first, qPrintable(QStringLiteral("nothing was heard in %1 samples").arg(heard.samples.size())));
        const double span = heard.seconds(last - first);
        qInfo("win cue cut after 0.2 s by the drop cue: heard %.3f s in all", span);
        QVERIFY2(span > 0.35 && span < 0.6, qPrintable(QString::number(span)));
        const std::size_t tenth = static_cast<std::size_t>(RecordRate / 10);
        QVERIFY(heard.crossingsPerSecond(first, first + tenth) > 900);
        QVERIFY(heard.crossingsPerSecond(last - 2 * tenth, last - tenth / 2) < 700);
    }
};

QTEST_GUILESS_MAIN(TestSoundPulse)
#include "tst_sound_pulse.moc"
