#include "sound/cue_table.h"

namespace velmora {

CueFile cueFile(Cue cue)
{
    // One case a cue, made from the list of cues and their waves: a cue left
    // out of it is a cue this switch misses, which the build refuses.
    switch (cue) {
#include "cue_cases.inc"
    }
    return {"", SoundAsync};
}

std::string_view waveName(Cue cue)
{
    return cueFile(cue).fileName;
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
