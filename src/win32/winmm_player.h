#pragma once

#include "sound/sound_player.h"

#include <windows.h>

namespace velmora {

// Plays cues through winmm's PlaySound, by file name, and returns at once; a
// new cue cuts off the sounding one; a file that cannot be played gives the
// system's default sound. A synchronous cue holds as long as its wave file
// says it lasts, five seconds at most, and is stopped there.
class WinmmPlayer : public SoundPlayer {
public:
    void play(const std::string& path, std::uint32_t flags) override;
    bool holding() override;

private:
    ULONGLONG holdUntil_ = 0;  // GetTickCount64's milliseconds; 0: nothing held
    bool cutAtHold_ = false;
};

} // namespace velmora
