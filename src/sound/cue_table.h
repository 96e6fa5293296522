#pragma once

#include "board/cue.h"
#include "sound/sound_player.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

// A wave file in the program's folder, by its name, and whether the game
// waits for it.
struct CueFile {
    std::string_view fileName;
    std::uint32_t flags;  // SoundSync or SoundAsync
};

CueFile cueFile(Cue cue);

// Whether the game waits for the cue to end (the time-up ring alone).
inline bool cueHolds(Cue cue)
{
    return cueFile(cue).flags == SoundSync;
}

// The cue's wave as it lies in a folder ("arrow.wav").
std::string_view waveName(Cue cue);

// The full path of a cue: the folder, '/', and the wave's name. Nothing is
// tidied, so the root folder "/" gives "//arrow.wav".
std::string cuePath(std::string_view folder, Cue cue);

// Plays a cue from the program's folder. What the player makes of it is never
// looked at.
void PlaySoundCue(SoundPlayer& player, std::string_view programFolder, Cue cue);

} // namespace velmora
