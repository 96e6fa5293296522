// The winmm player under Wine, on the session's sound server: a held cue
// holds as long as it sounds, a damaged one holds nothing beyond what is
// heard, and stopping a held cue never waits for the rest of its sound.
// Upper bounds are wide for a busy machine; what they catch is a hold for
// the whole sound.

#include "sound/winmm_sound_player.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

using namespace velmora;

namespace {

int failed = 0;
int passed = 0;

void check(bool ok, const char* what, ULONGLONG ms)
{
    std::printf("%s: %s (%llu ms)\n", ok ? "PASS" : "FAIL", what, ms);
    (ok ? passed : failed) += 1;
}

// A tone of the given length, 16-bit mono at 22050 Hz, in the temporary
// folder; `byteRate` as the header claims it.
std::string writeTone(const char* fileName, double seconds, std::uint32_t byteRate = 44100)
{
    char folder[MAX_PATH];
    const std::string name = std::string(folder, GetTempPathA(MAX_PATH, folder)) + "velmora-" + fileName;
    const auto samples = static_cast<std::uint32_t>(22050 * seconds);
    const auto put32 = [](std::ofstream& out, std::uint32_t value) { out.write(reinterpret_cast<const char*>(&value), 4); };
    const auto put16 = [](std::ofstream& out, std::uint16_t value) { out.write(reinterpret_cast<const char*>(&value), 2); };
    std::ofstream out(name, std::ios::binary);
    out.write("RIFF", 4);
    put32(out, 36 + samples * 2);
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1);
    put16(out, 1);
    put32(out, 22050);
    put32(out, byteRate);
    put16(out, 2);
    put16(out, 16);
    out.write("data", 4);
    put32(out, samples * 2);
    for (std::uint32_t i = 0; i < samples; ++i)
        put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(8000 * std::sin(i * 0.125))));
    return name;
}

ULONGLONG heldFor(const std::string& wave)
{
    WinmmSoundPlayer player;
    const ULONGLONG since = GetTickCount64();
    player.play(wave, SoundSync);
    while (player.holding() && GetTickCount64() - since < 20000)
        Sleep(5);
    return GetTickCount64() - since;
}

} // namespace

int main()
{
    const std::string tone = writeTone("tone.wav", 1.0);
    const std::string damaged = writeTone("damaged.wav", 1.0, 1);
    const std::string longTone = writeTone("long.wav", 8.0);

    const ULONGLONG whole = heldFor(tone);
    check(whole >= 700 && whole < 6000, "a one-second cue holds about a second, within the bound", whole);
    const ULONGLONG refused = heldFor(damaged);
    check(refused < 700, "a wave claiming a byte rate of 1 holds nothing of its own", refused);

    {
        WinmmSoundPlayer player;
        const ULONGLONG since = GetTickCount64();
        player.play(longTone, SoundAsync);
        const ULONGLONG returned = GetTickCount64() - since;
        check(returned < 1000 && !player.holding(), "an eight-second cue not waited for returns at once", returned);
    }
    // Right after the start, the thread that plays has seldom begun.
    for (int round = 0; round < 3; ++round) {
        ULONGLONG since = 0;
        {
            WinmmSoundPlayer player;
            player.play(longTone, SoundSync);
            since = GetTickCount64();
        }
        const ULONGLONG stopped = GetTickCount64() - since;
        check(stopped < 3000, "an eight-second cue stopped at once", stopped);
    }
    for (const std::string& wave : {tone, damaged, longTone})
        DeleteFileA(wave.c_str());
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
