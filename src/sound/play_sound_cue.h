#pragma once

#include "sound/sound_cue.h"
#include "sound/sound_player.h"

#include <functional>
#include <string>
#include <string_view>

namespace velmora {

// The full path of a cue: the folder followed directly by the file name, whose
// leading backslash is the only separator and becomes '/'. Nothing is tidied,
// so the root folder "/" gives "//arrow.wav".
std::string cuePath(std::string_view folder, std::string_view fileName);

// Plays a cue from the program's folder, which programFolder reads afresh at
// every cue. The player's outcome is never looked at.
void PlaySoundCue(SoundPlayer& player, const std::function<std::string()>& programFolder,
                  std::string_view fileName, std::uint32_t flags);

} // namespace velmora
