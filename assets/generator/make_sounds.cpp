// Synthesises the five cue sounds and writes them, as 16-bit mono PCM wave
// files at 22050 Hz, to the folder given as the only argument. The files are
// committed; run this (target velmora_make_sounds) after changing a sound
// here, and listen to it.
//
// Each sound is short and unlike the others, in pitch and in shape, so a
// player can tell them apart and a test can tell which one was heard.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int Rate = 22050;
constexpr double Pi = std::numbers::pi;

using Wave = std::function<double(double t)>;  // t in seconds; result in -1..1

// A sound of the given length, shaped by a 5 ms fade in and a 20 ms fade out.
std::vector<std::int16_t> render(double seconds, double loudness, const Wave& wave)
{
    const int count = static_cast<int>(seconds * Rate);
    std::vector<std::int16_t> samples(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / Rate;
        const double fadeIn = std::min(1.0, t / 0.005);
        const double fadeOut = std::min(1.0, (seconds - t) / 0.020);
        const double value = loudness * fadeIn * fadeOut * wave(t);
        samples[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0, 1.0) * 32767));
    }
    return samples;
}

double sine(double frequency, double t)
{
    return std::sin(2 * Pi * frequency * t);
}

template <typename T>
void put(std::ofstream& out, T value)
{
    for (std::size_t i = 0; i < sizeof(T); ++i)
        out.put(static_cast<char>((static_cast<std::uint64_t>(value) >> (8 * i)) & 0xFF));
}

bool writeWave(const std::string& path, const std::vector<std::int16_t>& samples)
{
    std::ofstream out(path, std::ios::binary);
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    put<std::uint32_t>(out, 36 + dataBytes);
    out.write("WAVEfmt ", 8);
    put<std::uint32_t>(out, 16);
    put<std::uint16_t>(out, 1);  // PCM
    put<std::uint16_t>(out, 1);  // mono
    put<std::uint32_t>(out, Rate);
    put<std::uint32_t>(out, Rate * 2);
    put<std::uint16_t>(out, 2);
    put<std::uint16_t>(out, 16);
    out.write("data", 4);
    put<std::uint32_t>(out, dataBytes);
    for (const std::int16_t sample : samples)
        put<std::uint16_t>(out, static_cast<std::uint16_t>(sample));
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    std::printf("%s  %.3f s\n", path.c_str(), static_cast<double>(samples.size()) / Rate);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    bool ok = true;

    // Lift: a quick rising whistle, 880 to 1320 Hz.
    ok = writeWave(folder + "/arrow.wav", render(0.18, 0.5, [](double t) {
        const double phase = 880 * t + (1320 - 880) * t * t / (2 * 0.18);
        return std::sin(2 * Pi * phase);
    })) && ok;

    // Drop: a low knock at 220 Hz that dies away.
    ok = writeWave(folder + "/sound12.wav", render(0.25, 0.7, [](double t) {
        return std::exp(-t * 14) * (0.8 * sine(220, t) + 0.2 * sine(440, t));
    })) && ok;

    // Win: a bright arpeggio, C E G and the high C held.
    ok = writeWave(folder + "/Yahoo_ring_03.wav", render(1.2, 0.45, [](double t) {
        const double notes[] = {523.25, 659.25, 783.99, 1046.5};
        const int index = std::min(3, static_cast<int>(t / 0.15));
        const double start = index * 0.15;
        const double decay = index < 3 ? std::exp(-(t - start) * 6) : std::exp(-(t - start) * 2.5);
        return decay * (sine(notes[index], t) + 0.3 * sine(2 * notes[index], t)) / 1.3;
    })) && ok;

    // Time up: a bell ringing for about a second, 1500 and 1900 Hz trading at 16 Hz.
    ok = writeWave(folder + "/riiiing.wav", render(1.0, 0.5, [](double t) {
        const bool high = static_cast<int>(t * 32) % 2 == 1;
        return high ? sine(1900, t) : sine(1500, t);
    })) && ok;

    // Lose: a falling buzz, 330 Hz sliding to 220 Hz, with odd harmonics.
    ok = writeWave(folder + "/Error.wav", render(0.6, 0.4, [](double t) {
        const double phase = 330 * t - (330 - 220) * t * t / (2 * 0.6);
        const double x = 2 * Pi * phase;
        return (std::sin(x) + std::sin(3 * x) / 3 + std::sin(5 * x) / 5) / 1.2;
    })) && ok;

    return ok ? 0 : 1;
}
