// The winmm player under Wine, on the session's sound server: a held cue
// holds as long as it sounds, a damaged one holds nothing beyond what is
// heard, and stopping a held cue never waits for the rest of its sound.
// Upper bounds are wide for a busy machine; what they catch is a hold for
// the whole sound.

#include "sound/winmm_sound_player.h"

#include <cstdio>
#include <fstream>
#include <iterator>
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

// The game's one-second ring (16-bit mono, 22050 Hz, beside this program),
// its data repeated `times` and its byte rate as given, in the temporary
// folder.
std::string writeRing(const char* fileName, int times = 1, std::uint32_t byteRate = 44100)
{
    char path[MAX_PATH];
    std::string own(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    std::ifstream in(own.substr(0, own.find_last_of('\\') + 1) + "riiiing.wav", std::ios::binary);
    std::string wave((std::istreambuf_iterator<char>(in)), {});
    const std::string data = wave.substr(44);
    for (int time = 1; time < times; ++time)
        wave += data;
    const auto put32 = [&](std::size_t at, std::uint32_t value) { wave.replace(at, 4, reinterpret_cast<const char*>(&value), 4); };
    put32(4, static_cast<std::uint32_t>(wave.size() - 8));
    put32(28, byteRate);
    put32(40, static_cast<std::uint32_t>(wave.size() - 44));
    const std::string name = std::string(path, GetTempPathA(MAX_PATH, path)) + "velmora-" + fileName;
    std::ofstream(name, std::ios::binary) << wave;
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
    const std::string tone = writeRing("tone.wav");
    const std::string damaged = writeRing("damaged.wav", 1, 1);
    const std::string longTone = writeRing("long.wav", 8);

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
