#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace velmora {

// How a sound is played: the game goes on under an asynchronous sound, and
// waits for a synchronous one to end.
inline constexpr std::uint32_t SoundSync = 0;
inline constexpr std::uint32_t SoundAsync = 1;

// A synchronous sound holds the whole game, so it never holds it longer than
// this: a longer one is stopped there and the game goes on as after its end.
inline constexpr std::chrono::milliseconds LongestHeldCue{5000};
// How often a front end asks a player whether the sound it holds has ended.
inline constexpr std::chrono::milliseconds HeldCueWatch{10};

// Plays one wave file by its full path and returns at once. A new sound cuts
// off the one still sounding. Nothing is reported: a file that cannot be
// played gives the fallback sound or silence.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const std::string& path, std::uint32_t flags) = 0;

    // Whether the last sound, played SoundSync, is still to be waited for:
    // until it has sounded to its end, five seconds at most (a longer one is
    // stopped there). False at once for a sound that could not be played.
    virtual bool holding() { return false; }

    // Lets the sound device go while nothing sounds, so an idle game costs
    // nothing; the next cue takes it again. True while a sound still plays
    // (ask again later).
    virtual bool rest() { return false; }
};

} // namespace velmora
