#pragma once

#include <QByteArray>
#include <QProcess>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

// Reading back recorded sound: 16-bit little-endian samples, one channel
// taken out of an interleaved stream.
struct Recording {
    std::vector<std::int16_t> samples;
    int rate = 0;

    static Recording fromInterleaved(const QByteArray& bytes, int rate, int channels)
    {
        Recording recording;
        recording.rate = rate;
        const qsizetype frames = bytes.size() / (2 * channels);
        recording.samples.resize(static_cast<std::size_t>(frames));
        for (qsizetype i = 0; i < frames; ++i)
            std::memcpy(&recording.samples[static_cast<std::size_t>(i)], bytes.constData() + i * 2 * channels, 2);
        return recording;
    }

    double seconds(std::size_t sampleIndex) const { return static_cast<double>(sampleIndex) / rate; }

    // Root mean square of the samples in [first, last), scaled to 0..1.
    double rms(std::size_t first, std::size_t last) const
    {
        if (last <= first || last > samples.size())
            return 0.0;
        double sum = 0.0;
        for (std::size_t i = first; i < last; ++i)
            sum += static_cast<double>(samples[i]) * samples[i];
        return std::sqrt(sum / static_cast<double>(last - first)) / 32768.0;
    }

    // Sign changes per second over the loud 10 ms windows of [first, last):
    // twice the pitch of a plain tone, whatever the rate it was recorded at.
    double crossingRate(std::size_t first, std::size_t last, double threshold = 0.02) const
    {
        const std::size_t window = static_cast<std::size_t>(rate / 100);
        std::size_t crossings = 0, loud = 0;
        for (std::size_t start = first; start + window <= last && start + window <= samples.size(); start += window) {
            if (rms(start, start + window) <= threshold)
                continue;
            loud += window;
            for (std::size_t i = start + 1; i < start + window; ++i)
                crossings += (samples[i - 1] < 0) != (samples[i] < 0);
        }
        return loud ? static_cast<double>(crossings) * rate / static_cast<double>(loud) : 0.0;
    }

    // The separate sounds: loud stretches apart by at least gapMs of quiet.
    // (A starved sound server leaves shorter gaps inside one sound.)
    std::vector<std::pair<std::size_t, std::size_t>> sounds(int gapMs = 250, double threshold = 0.02) const
    {
        const std::size_t window = static_cast<std::size_t>(rate / 100);
        const std::size_t gap = static_cast<std::size_t>(rate) * static_cast<std::size_t>(gapMs) / 1000;
        std::vector<std::pair<std::size_t, std::size_t>> found;
        for (std::size_t start = 0; start + window <= samples.size(); start += window) {
            if (rms(start, start + window) <= threshold)
                continue;
            if (!found.empty() && start <= found.back().second + gap)
                found.back().second = start + window;
            else
                found.emplace_back(start, start + window);
        }
        return found;
    }
};

// A 16-bit mono wave file at 22050 Hz of a square wave at `hertz`, made by
// sox; empty if sox could not make it.
inline QByteArray toneWave(double hertz, double seconds)
{
    QProcess sox;
    sox.start(QStringLiteral("sox"), {"-n", "-r", "22050", "-c", "1", "-b", "16", "-t", "wav", "-", "synth",
                                      QString::number(seconds), "square", QString::number(hertz), "vol", "0.37"});
    return sox.waitForFinished(30000) ? sox.readAllStandardOutput() : QByteArray();
}
