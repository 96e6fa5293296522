#include "sound/cue_table.h"

namespace velmora {

CueFile cueFile(Cue cue)
{
    switch (cue) {
    case Cue::Lift:
        return {"\\arrow.wav", SoundAsync};
    case Cue::Drop:
        return {"\\sound12.wav", SoundAsync};
    case Cue::Win:
        return {"\\Yahoo_ring_03.wav", SoundAsync};
    case Cue::TimeUp:
        return {"\\riiiing.wav", SoundSync};
    case Cue::Lose:
        return {"\\Error.wav", SoundAsync};
    }
    return {"", SoundAsync};
}

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

void PlaySoundCue(SoundPlayer& player, std::string_view programFolder, Cue cue)
{
    const CueFile file = cueFile(cue);
    player.play(cuePath(programFolder, file.fileName), file.flags);
}

} // namespace velmora
