#pragma once

#include <cstdint>
#include <string_view>

// The cue table is plain constants, so the game's rules can name the cues
// without depending on the player.

namespace velmora {

// The flags of a cue: asynchronous cues return as soon as the sound has
// started, synchronous ones only when it has ended.
inline constexpr std::uint32_t SoundSync = 0;
inline constexpr std::uint32_t SoundAsync = 1;

// A wave file in the program's folder, by the name the cue is known by (with
// its leading backslash), and how it is played.
struct SoundCue {
    std::string_view fileName;
    std::uint32_t flags;

    friend constexpr bool operator==(const SoundCue&, const SoundCue&) = default;
};

inline constexpr SoundCue CueLift{"\\arrow.wav", SoundAsync};
inline constexpr SoundCue CueDrop{"\\sound12.wav", SoundAsync};
inline constexpr SoundCue CueWin{"\\Yahoo_ring_03.wav", SoundAsync};
inline constexpr SoundCue CueTimeUp{"\\riiiing.wav", SoundSync};
inline constexpr SoundCue CueLose{"\\Error.wav", SoundAsync};

} // namespace velmora
