#pragma once

#include "sound/sound_player.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

struct Mix_Chunk;

namespace velmora {

// The real player: SDL2_mixer on one mixing channel, so a new cue cuts off the
// one sounding. Only SDL's audio subsystem is used, with its signal handlers
// off. SDL mixes on its own thread: an asynchronous cue returns once started,
// a synchronous one blocks the caller for the sound's own length plus one
// device buffer (about 12 ms), without handling any event of the window.
//
// Without a sound device everything is silent and returns at once; the
// device is looked for when the player is made and again at a cue at most
// every ten seconds. A file that is missing, unreadable, empty or not a wave
// file cuts off the sounding cue and plays the fallback (the desktop's beep)
// instead.
class SdlSoundPlayer : public SoundPlayer {
public:
    using Fallback = std::function<void()>;

    explicit SdlSoundPlayer(Fallback fallback = {});
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    void play(const std::string& path, std::uint32_t flags) override;

    bool deviceOpen() const { return open_; }

private:
    bool openDevice();
    void closeDevice();
    void stopSounding();
    std::chrono::milliseconds lengthOf(const Mix_Chunk& chunk) const;

    Fallback fallback_;
    Mix_Chunk* sounding_ = nullptr;
    bool open_ = false;
    bool everTried_ = false;
    std::chrono::steady_clock::time_point lastAttempt_{};
    int frequency_ = 0;
    int channels_ = 0;
    int bytesPerSample_ = 0;
    int bufferFrames_ = 0;
};

} // namespace velmora
