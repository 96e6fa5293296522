#include "sink_recorder.h"

#include "x_session.h"

#include <QFile>

namespace {

constexpr int QuietMs = 300;

// Whether the recording ends in at least QuietMs of quiet.
bool endsQuiet(const Recording& heard)
{
    const std::size_t quiet = static_cast<std::size_t>(heard.rate) * QuietMs / 1000;
    const auto sounds = heard.sounds();
    return heard.samples.size() >= quiet
        && (sounds.empty() || sounds.back().second + quiet <= heard.samples.size());
}

} // namespace

SinkRecorder::SinkRecorder()
    : rate_(qEnvironmentVariableIntValue("VELMORA_SINK_RATE"))
{
    reader_.setStandardOutputFile(folder_.filePath(QStringLiteral("sink.raw")));
    reader_.start(QStringLiteral("cat"), {qEnvironmentVariable("VELMORA_SINK_FIFO")});
    reader_.waitForStarted(5000);
}

SinkRecorder::~SinkRecorder()
{
    reader_.kill();
    reader_.waitForFinished(5000);
}

Recording SinkRecorder::since(qint64 mark) const
{
    QFile file(folder_.filePath(QStringLiteral("sink.raw")));
    if (!file.open(QIODevice::ReadOnly) || !file.seek(mark))
        return Recording{{}, rate_};
    QByteArray bytes = file.readAll();
    bytes.chop(bytes.size() % 2);
    return Recording::fromInterleaved(bytes, rate_, 1);
}

qint64 SinkRecorder::quietMark() const
{
    const qint64 window = 2 * rate_;  // the last second is enough to look at
    qint64 end = 0;
    waitFor([&] {
        end = QFile(folder_.filePath(QStringLiteral("sink.raw"))).size() & ~qint64{1};
        return endsQuiet(since(std::max<qint64>(0, end - window)));
    });
    return end;
}

Recording SinkRecorder::awaitHeard(qint64 mark, const std::function<bool(const Recording&)>& expected,
                                    int timeoutMs) const
{
    Recording heard;
    waitFor([&] {
        heard = since(mark);
        return expected(heard) && endsQuiet(heard);
    }, timeoutMs);
    return heard;
}
