#include "pulse_capture.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

namespace {

const QString Sink = QStringLiteral("velmora_sink");

} // namespace

PulseServer::~PulseServer()
{
    if (server_.state() != QProcess::NotRunning) {
        server_.terminate();
        if (!server_.waitForFinished(5000))
            server_.kill();
    }
}

bool PulseServer::start(QString* reason)
{
    if (!runtime_.isValid()) {
        *reason = QStringLiteral("no temporary folder");
        return false;
    }
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
                       .arg(Sink, fifo())
                       .arg(Rate),
                   QStringLiteral("-L"),
                   QStringLiteral("module-native-protocol-unix socket=%1 auth-anonymous=1").arg(socket)});
    if (!server_.waitForStarted(5000)) {
        *reason = QStringLiteral("pulseaudio could not be started: ") + server_.errorString();
        return false;
    }
    QDeadlineTimer deadline(10000);
    while (!QFile::exists(socket)) {
        if (deadline.hasExpired() || server_.state() != QProcess::Running) {
            *reason = QStringLiteral("pulseaudio did not open its socket");
            return false;
        }
        QThread::msleep(20);
    }
    if (!serverLists(QStringLiteral("sinks"), Sink)) {
        *reason = QStringLiteral("the pipe sink did not appear");
        return false;
    }
    return true;
}

bool PulseServer::serverLists(const QString& what, const QString& text) const
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

SinkRecorder::SinkRecorder(const QString& fifo)
{
    reader_.setStandardOutputFile(folder_.filePath(QStringLiteral("sink.raw")));
    reader_.start(QStringLiteral("cat"), {fifo});
    reader_.waitForStarted(5000);
}

SinkRecorder::~SinkRecorder()
{
    reader_.kill();
    reader_.waitForFinished(5000);
}

Recording SinkRecorder::snapshot() const
{
    QFile file(folder_.filePath(QStringLiteral("sink.raw")));
    if (!file.open(QIODevice::ReadOnly))
        return Recording{};
    return Recording::fromInterleaved(file.readAll(), PulseServer::Rate, 1);
}
