#pragma once

#include <cstdint>
#include <string>

namespace velmora {

// How a sound is played: asynchronous sounds return as soon as they have
// started, synchronous ones only when they have ended.
inline constexpr std::uint32_t SoundSync = 0;
inline constexpr std::uint32_t SoundAsync = 1;

// Plays one wave file by its full path. flags is SoundAsync (return once the
// sound has started) or SoundSync (return when it has ended). A new sound cuts
// off the one still sounding. Nothing is reported: a file that cannot be
// played gives the fallback sound or silence.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const std::string& path, std::uint32_t flags) = 0;

    // Lets the sound device go while nothing sounds, so an idle game costs
    // nothing; the next cue takes it again. True while a sound still plays
    // (ask again later).
    virtual bool rest() { return false; }
};

} // namespace velmora
