#pragma once

#include "board/cue.h"
#include "sound/sound_player.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace velmora {

// A wave file in the program's folder, by its name with the leading
// backslash it is known by, and whether the game waits for it.
struct CueFile {
    std::string_view fileName;
    std::uint32_t flags;  // SoundSync or SoundAsync

    friend constexpr bool operator==(const CueFile&, const CueFile&) = default;
};

CueFile cueFile(Cue cue);

// Whether the game waits for the cue to end (the time-up ring alone).
inline bool cueHolds(Cue cue)
{
    return cueFile(cue).flags == SoundSync;
}

// The full path of a cue: the folder followed directly by the file name, whose
// leading backslash is the only separator and becomes '/'. Nothing is tidied,
// so the root folder "/" gives "//arrow.wav".
std::string cuePath(std::string_view folder, std::string_view fileName);

// Plays a cue from the program's folder. What the player makes of it is never
// looked at.
void PlaySoundCue(SoundPlayer& player, std::string_view programFolder, Cue cue);

} // namespace velmora
