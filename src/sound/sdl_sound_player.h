#pragma once

#include "sound/sound_player.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

struct Mix_Chunk;

namespace velmora {

// The real player: SDL2_mixer on one mixing channel, so a new cue cuts off the
// one sounding. Only SDL's audio subsystem is used, with its signal handlers
// off. SDL mixes on its own thread and every cue returns once started; a
// synchronous one holds for the sound's own length plus one device buffer
// (about 12 ms), five seconds at most: a longer sound is stopped there.
//
// The device is taken at the first cue (a few milliseconds) and let go by
// rest() once quiet: SDL's mixing thread wakes every few milliseconds while a
// device is open, silent or not. Without a sound device everything is silent
// and returns at once; after a failure the device is looked for again at a
// cue at most every ten seconds. A file that is missing, unreadable, empty,
// not a wave file or not a regular file at all (a FIFO, a folder, a device)
// cuts off the sounding cue and plays the fallback (the desktop's beep)
// instead, without waiting for anything.
class SdlSoundPlayer : public SoundPlayer {
public:
    using Fallback = std::function<void()>;

    explicit SdlSoundPlayer(Fallback fallback = {});
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    void play(const std::string& path, std::uint32_t flags) override;
    bool holding() override;
    bool rest() override;

    // Takes the device now rather than at the next cue; false without one.
    bool openDevice();
    bool deviceOpen() const { return open_; }

private:
    void closeDevice();
    void stopSounding();
    std::chrono::milliseconds lengthOf(const Mix_Chunk& chunk) const;

    Fallback fallback_;
    Mix_Chunk* sounding_ = nullptr;
    // Until when a synchronous cue holds, and whether it is cut there.
    std::optional<std::chrono::steady_clock::time_point> holdUntil_;
    bool cutAtHold_ = false;
    bool open_ = false;
    bool failedBefore_ = false;
    std::chrono::steady_clock::time_point lastFailure_{};
    int frequency_ = 0;
    int channels_ = 0;
    int bytesPerSample_ = 0;
    int bufferFrames_ = 0;
};

} // namespace velmora
