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

std::string_view waveName(Cue cue)
{
    return cueFile(cue).fileName.substr(1);
}

std::string cuePath(std::string_view folder, Cue cue)
{
    return std::string(folder) + '/' + std::string(waveName(cue));
}

void PlaySoundCue(SoundPlayer& player, std::string_view programFolder, Cue cue)
{
    player.play(cuePath(programFolder, cue), cueFile(cue).flags);
}

} // namespace velmora
