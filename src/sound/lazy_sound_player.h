#pragma once

#include "sound/sound_player.h"

#include <functional>
#include <memory>
#include <string>

namespace velmora {

// The file name of the sound backend, a library beside the executable that
// holds the SDL2_mixer player.
inline constexpr const char* SoundBackendFile = "libvelmora_sound_sdl.so";

// Plays through the SDL2_mixer player, loaded from the program's folder at the
// first cue rather than at start-up: SDL and SDL_mixer bring some forty
// libraries with them, which cost the start-up about 50 ms and several MiB.
// Without the backend every cue is silent.
class LazySoundPlayer : public SoundPlayer {
public:
    using Fallback = std::function<void()>;

    LazySoundPlayer(std::function<std::string()> programFolder, Fallback fallback);
    ~LazySoundPlayer() override;
    LazySoundPlayer(const LazySoundPlayer&) = delete;
    LazySoundPlayer& operator=(const LazySoundPlayer&) = delete;

    void play(const std::string& path, std::uint32_t flags) override;
    bool holding() override;
    bool rest() override;

private:
    bool load();

    std::function<std::string()> programFolder_;
    Fallback fallback_;
    void* library_ = nullptr;
    std::unique_ptr<SoundPlayer> player_;
    bool tried_ = false;
};

} // namespace velmora
