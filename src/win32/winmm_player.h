#pragma once

#include "sound/sound_player.h"

namespace velmora {

// Plays cues through winmm's PlaySound, by file name. An asynchronous cue
// returns at once; a new cue cuts off the sounding one; a file that cannot be
// played gives the system's default sound. A synchronous cue holds the caller
// as long as the sound lasts, five seconds at most: it is played
// asynchronously, waited for with that bound, and stopped there.
class WinmmPlayer : public SoundPlayer {
public:
    void play(const std::string& path, std::uint32_t flags) override;
};

} // namespace velmora
