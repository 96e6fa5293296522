// Real audio: a PulseAudio server of the test's own whose sink writes what it
// plays into a FIFO, the real player playing into it, and the test reading
// the FIFO. (A null sink's monitor recorded with parec loses the end of
// sounds on this machine now and then; the pipe sink never did.) Shows
// that what comes out is the cue's sound, for the cue's length, and that a
// second cue started early cuts the first one short.

#include "pcm_analysis.h"
#include "sound/sdl_sound_player.h"
#include "sound/sound_cue.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

using namespace velmora;

namespace {

constexpr int RecordRate = 22050;
const QString Sink = QStringLiteral("velmora_sink");

std::string wave(const char* name)
{
    return QDir(QStringLiteral(VELMORA_WAVE_DIR)).filePath(QString::fromLatin1(name)).toStdString();
}

// Everything the server's sink renders arrives in a FIFO at real-time pace,
// silence included; a thread of its own reads it, so the recording goes on
// while this thread is held by a synchronous cue. What has arrived at a
// moment is the recording's position then.
class Recorder {
public:
    explicit Recorder(const QString& fifo)
    {
        descriptor_ = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
        if (descriptor_ >= 0)
            reader_ = std::thread([this] { readAll(); });
    }

    ~Recorder() { stop(); }

    bool started() const { return descriptor_ >= 0; }

    std::size_t position() const
    {
        const std::lock_guard lock(mutex_);
        return static_cast<std::size_t>(bytes_.size() / 2);
    }

    // Drops what has arrived so far: the recording starts now.
    void restart()
    {
        const std::lock_guard lock(mutex_);
        bytes_.clear();
    }

    Recording recording()
    {
        stop();
        return Recording::fromInterleaved(bytes_, RecordRate, 1);
    }

private:
    void readAll()
    {
        char buffer[4096];
        while (!stopping_) {
            pollfd ready{descriptor_, POLLIN, 0};
            if (::poll(&ready, 1, 20) <= 0)
                continue;
            const ssize_t got = ::read(descriptor_, buffer, sizeof buffer);
            if (got > 0) {
                const std::lock_guard lock(mutex_);
                bytes_.append(buffer, got);
            }
        }
    }

    void stop()
    {
        if (descriptor_ < 0)
            return;
        stopping_ = true;
        reader_.join();
        ::close(descriptor_);
        descriptor_ = -1;
    }

    int descriptor_ = -1;
    std::atomic<bool> stopping_{false};
    std::thread reader_;
    mutable std::mutex mutex_;
    QByteArray bytes_;
};

} // namespace

class TestSoundPulse : public QObject {
    Q_OBJECT

private:
    QTemporaryDir runtime_;
    QProcess server_;
    QProcessEnvironment environment_;

    // Waits until `pactl list short WHAT` lists something containing text.
    bool serverLists(const QString& what, const QString& text)
    {
        QDeadlineTimer deadline(10000);
        while (!deadline.hasExpired()) {
            QProcess pactl;
            pactl.setProcessEnvironment(environment_);
            pactl.start(QStringLiteral("pactl"), {QStringLiteral("list"), QStringLiteral("short"), what});
            pactl.waitForFinished(5000);
            if (pactl.readAllStandardOutput().contains(text.toUtf8()))
                return true;
            QThread::msleep(20);
        }
        return false;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(runtime_.isValid());
        const QString socket = runtime_.filePath(QStringLiteral("native"));
        environment_ = QProcessEnvironment::systemEnvironment();
        environment_.insert(QStringLiteral("HOME"), runtime_.path());
        environment_.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        environment_.insert(QStringLiteral("PULSE_RUNTIME_PATH"), runtime_.filePath(QStringLiteral("pulse")));
        environment_.insert(QStringLiteral("PULSE_STATE_PATH"), runtime_.filePath(QStringLiteral("state")));
        environment_.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + socket);
        environment_.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        server_.setProcessEnvironment(environment_);
        // Its log goes to a file: a pipe nobody reads would fill and stall the server.
        server_.setProcessChannelMode(QProcess::MergedChannels);
        server_.setStandardOutputFile(runtime_.filePath(QStringLiteral("pulseaudio.log")));
        server_.start(QStringLiteral("pulseaudio"),
                      {QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"), QStringLiteral("-n"),
                       QStringLiteral("--use-pid-file=no"), QStringLiteral("--disable-shm=yes"),
                       QStringLiteral("--log-target=stderr"), QStringLiteral("-L"),
                       QStringLiteral("module-pipe-sink sink_name=%1 file=%2 format=s16le rate=%3 channels=1 "
                                      "use_system_clock_for_timing=yes")
                           .arg(Sink, runtime_.filePath(QStringLiteral("sink.fifo")))
                           .arg(RecordRate),
                       QStringLiteral("-L"),
                       QStringLiteral("module-native-protocol-unix socket=%1 auth-anonymous=1").arg(socket)});
        QVERIFY2(server_.waitForStarted(5000), "pulseaudio could not be started");
        QDeadlineTimer deadline(10000);
        while (!QFile::exists(socket)) {
            QVERIFY2(!deadline.hasExpired() && server_.state() == QProcess::Running, "pulseaudio did not start");
            QThread::msleep(20);
        }
        QVERIFY2(serverLists(QStringLiteral("sinks"), Sink), "the null sink did not appear");
        // The player in this process talks to the same server.
        qputenv("PULSE_SERVER", environment_.value(QStringLiteral("PULSE_SERVER")).toLocal8Bit());
        qputenv("SDL_AUDIODRIVER", "pulseaudio");
    }

    void cleanupTestCase()
    {
        server_.terminate();
        if (!server_.waitForFinished(5000))
            server_.kill();
    }

    void theRingSoundsForItsSecondAndHoldsTheCallerAsLong()
    {
        Recorder recorder(runtime_.filePath(QStringLiteral("sink.fifo")));
        QVERIFY(recorder.started());
        SdlSoundPlayer player;
        QVERIFY(player.deviceOpen());
        QThread::msleep(300);
        recorder.restart();
        QThread::msleep(100);

        const std::size_t calledAt = recorder.position();
        QElapsedTimer held;
        held.start();
        player.play(wave("riiiing.wav"), SoundSync);
        const qint64 heldFor = held.elapsed();
        QThread::msleep(600);

        const Recording heard = recorder.recording();
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
        Recorder recorder(runtime_.filePath(QStringLiteral("sink.fifo")));
        QVERIFY(recorder.started());
        SdlSoundPlayer player;
        QVERIFY(player.deviceOpen());
        QThread::msleep(300);
        recorder.restart();

        player.play(wave("Yahoo_ring_03.wav"), SoundAsync);  // 1.2 s
        QThread::msleep(200);
        player.play(wave("sound12.wav"), SoundAsync);        // 0.25 s
        QThread::msleep(1500);

        const Recording heard = recorder.recording();
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
