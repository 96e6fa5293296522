#pragma once

#include "pcm_analysis.h"

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>


// A PulseAudio server of a test's own, in its own runtime folder, whose one
// sink writes what it plays into a FIFO at real-time pace, silence included.
// (A null sink's monitor recorded with parec loses the end of sounds on this
// machine now and then; the pipe sink never did.) Torn down with the object.
class PulseServer {
public:
    static constexpr int Rate = 22050;  // mono, 16-bit

    PulseServer() = default;
    ~PulseServer();
    PulseServer(const PulseServer&) = delete;
    PulseServer& operator=(const PulseServer&) = delete;

    // Starts the server and waits until it lists its sink; false with a reason.
    bool start(QString* reason);

    // For clients: PULSE_SERVER and a private HOME and runtime folder.
    QProcessEnvironment environment() const { return environment_; }
    QString fifo() const { return runtime_.filePath(QStringLiteral("sink.fifo")); }

private:
    bool serverLists(const QString& what, const QString& text) const;

    QTemporaryDir runtime_;
    QProcess server_;
    QProcessEnvironment environment_;
};

// Copies what the sink plays into a file, from the moment it is made, by a
// reader process of its own, so the recording goes on while the test waits.
class SinkRecorder {
public:
    explicit SinkRecorder(const QString& fifo);
    ~SinkRecorder();
    SinkRecorder(const SinkRecorder&) = delete;
    SinkRecorder& operator=(const SinkRecorder&) = delete;

    bool started() const { return reader_.state() == QProcess::Running; }
    // What has arrived so far, leaving the recorder running.
    Recording snapshot() const;

private:
    QTemporaryDir folder_;
    QProcess reader_;
};
