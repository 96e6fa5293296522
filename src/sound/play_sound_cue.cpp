#include "sound/play_sound_cue.h"

namespace velmora {

std::string cuePath(std::string_view folder, std::string_view fileName)
{
    std::string path(folder);
    if (!fileName.empty() && fileName.front() == '\\') {
        path += '/';
        fileName.remove_prefix(1);
    }
    path += fileName;
    return path;
}

void PlaySoundCue(SoundPlayer& player, const std::function<std::string()>& programFolder,
                  std::string_view fileName, std::uint32_t flags)
{
    player.play(cuePath(programFolder(), fileName), flags);
}

} // namespace velmora
