#pragma once

#include "../sound/pcm_analysis.h"

#include <QProcess>

#include <functional>
#include <QTemporaryDir>

// What the session's sound sink plays (x_session.sh names its FIFO), copied
// into a file from the start of the test program by one reader process, so
// the sink never waits and holds nothing back. A case reads only what came
// after its mark.
class SinkRecorder {
public:
    SinkRecorder();
    ~SinkRecorder();
    SinkRecorder(const SinkRecorder&) = delete;
    SinkRecorder& operator=(const SinkRecorder&) = delete;

    bool started() const { return reader_.state() == QProcess::Running; }
    // Waits until the last 300 ms recorded are quiet (whatever an earlier case
    // left sounding has ended) and marks the end of the recording there.
    qint64 quietMark() const;
    Recording since(qint64 mark) const;
    // What came after mark, once it holds what `expected` looks for and then
    // 300 ms of quiet, or when timeoutMs have passed.
    Recording awaitHeard(qint64 mark, const std::function<bool(const Recording&)>& expected,
                         int timeoutMs = 15000) const;

private:
    QTemporaryDir folder_;
    QProcess reader_;
    int rate_;
};
