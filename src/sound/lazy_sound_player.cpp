#include "sound/lazy_sound_player.h"

#include <dlfcn.h>

#include <cstdio>

namespace velmora {

namespace {

// What the backend exports: a player made with the fallback to call.
using CreatePlayer = SoundPlayer* (*)(void (*fallback)(void*), void* context);

void callFallback(void* context)
{
    const auto* fallback = static_cast<const LazySoundPlayer::Fallback*>(context);
    if (*fallback)
        (*fallback)();
}

} // namespace

LazySoundPlayer::LazySoundPlayer(std::function<std::string()> programFolder, Fallback fallback)
    : programFolder_(std::move(programFolder))
    , fallback_(std::move(fallback))
{
}

// The library stays loaded until the program ends: SDL keeps state of its
// own that it does not expect to see unloaded.
LazySoundPlayer::~LazySoundPlayer() = default;

bool LazySoundPlayer::load()
{
    if (tried_)
        return player_ != nullptr;
    tried_ = true;
    const std::string path = programFolder_() + "/" + SoundBackendFile;
    library_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library_) {
        // Said once: every cue from now on is silent.
        std::fprintf(stderr, "velmora: no sound: %s\n", dlerror());
        return false;
    }
    const auto create = reinterpret_cast<CreatePlayer>(dlsym(library_, "velmora_create_sound_player"));
    if (!create) {
        std::fprintf(stderr, "velmora: no sound: %s\n", dlerror());
        dlclose(library_);
        library_ = nullptr;
        return false;
    }
    player_.reset(create(&callFallback, &fallback_));
    return player_ != nullptr;
}

void LazySoundPlayer::play(const std::string& path, std::uint32_t flags)
{
    if (load())
        player_->play(path, flags);
}

bool LazySoundPlayer::holding()
{
    return player_ && player_->holding();
}

bool LazySoundPlayer::rest()
{
    return player_ && player_->rest();
}

} // namespace velmora
