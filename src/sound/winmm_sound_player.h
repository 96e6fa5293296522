#pragma once

#include "sound/sound_player.h"

#include <windows.h>

#include <string>

namespace velmora {

// Plays cues through winmm's PlaySound, by file name, and returns at once; a
// new cue cuts off the sounding one; a file that cannot be played gives the
// system's default sound, and so does a damaged wave. A synchronous cue holds
// until it has sounded to its end, five seconds at most, and is stopped there.
class WinmmSoundPlayer : public SoundPlayer {
public:
    WinmmSoundPlayer() = default;
    ~WinmmSoundPlayer() override;
    WinmmSoundPlayer(const WinmmSoundPlayer&) = delete;
    WinmmSoundPlayer& operator=(const WinmmSoundPlayer&) = delete;

    void play(const std::string& path, std::uint32_t flags) override;
    bool holding() override;

private:
    // Stops the held cue, if one sounds, and lets its thread go.
    void stopHeld();

    HANDLE held_ = nullptr;  // the thread waiting for the held cue's end
    bool played_ = false;
    ULONGLONG heldSince_ = 0;
};

} // namespace velmora
