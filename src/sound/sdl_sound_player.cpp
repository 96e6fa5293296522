#include "sound/sdl_sound_player.h"

#include "sound/sound_cue.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <array>
#include <cstring>
#include <fstream>
#include <thread>

namespace velmora {

namespace {

constexpr int OutputFrequency = 44100;
constexpr int OutputChannels = 2;
constexpr int OutputBufferFrames = 512;  // about 12 ms: short latency for short cues
constexpr std::chrono::seconds RetryDeviceAfter{10};

// Only RIFF/WAVE files are cues; SDL_mixer would also take other formats.
bool looksLikeWave(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::array<char, 12> header{};
    if (!file.read(header.data(), header.size()))
        return false;
    return std::memcmp(header.data(), "RIFF", 4) == 0 && std::memcmp(header.data() + 8, "WAVE", 4) == 0;
}

} // namespace

SdlSoundPlayer::SdlSoundPlayer(Fallback fallback)
    : fallback_(std::move(fallback))
{
}

SdlSoundPlayer::~SdlSoundPlayer()
{
    closeDevice();
}

bool SdlSoundPlayer::openDevice()
{
    if (open_)
        return true;
    // Without this SDL takes over SIGINT and SIGTERM and the game ignores them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        failedBefore_ = true;
        lastFailure_ = std::chrono::steady_clock::now();
        return false;
    }
    if (Mix_OpenAudio(OutputFrequency, AUDIO_S16SYS, OutputChannels, OutputBufferFrames) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        failedBefore_ = true;
        lastFailure_ = std::chrono::steady_clock::now();
        return false;
    }
    Mix_AllocateChannels(1);
    Uint16 format = 0;
    Mix_QuerySpec(&frequency_, &format, &channels_);
    bytesPerSample_ = SDL_AUDIO_BITSIZE(format) / 8;
    bufferFrames_ = OutputBufferFrames;
    open_ = frequency_ > 0 && channels_ > 0 && bytesPerSample_ > 0;
    if (!open_)
        closeDevice();
    return open_;
}

void SdlSoundPlayer::closeDevice()
{
    if (!open_)
        return;
    stopSounding();
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    open_ = false;
}

bool SdlSoundPlayer::rest()
{
    if (!open_)
        return false;
    if (Mix_Playing(0))
        return true;
    closeDevice();
    return false;
}

void SdlSoundPlayer::stopSounding()
{
    if (!sounding_)
        return;
    Mix_HaltChannel(0);
    Mix_FreeChunk(sounding_);
    sounding_ = nullptr;
}

std::chrono::milliseconds SdlSoundPlayer::lengthOf(const Mix_Chunk& chunk) const
{
    const long long bytesPerSecond = static_cast<long long>(frequency_) * channels_ * bytesPerSample_;
    return std::chrono::milliseconds(static_cast<long long>(chunk.alen) * 1000 / bytesPerSecond);
}

void SdlSoundPlayer::play(const std::string& path, std::uint32_t flags)
{
    if (!open_) {
        if (failedBefore_ && std::chrono::steady_clock::now() - lastFailure_ < RetryDeviceAfter)
            return;
        if (!openDevice())
            return;
    }

    // A new cue always silences the one sounding, as the system player does.
    stopSounding();

    Mix_Chunk* chunk = looksLikeWave(path) ? Mix_LoadWAV_RW(SDL_RWFromFile(path.c_str(), "rb"), 1) : nullptr;
    if (!chunk || chunk->alen == 0) {
        if (chunk)
            Mix_FreeChunk(chunk);
        if (fallback_)
            fallback_();
        return;
    }
    sounding_ = chunk;
    if (Mix_PlayChannel(0, chunk, 0) < 0) {
        stopSounding();
        return;
    }
    if (flags != SoundSync)
        return;

    // SDL plays on its own thread; the cue has ended once its own length and
    // the device's last buffer have passed. The mixer's "still playing" flag
    // is no clock: on PulseAudio it lags the sound by half a second.
    const auto start = std::chrono::steady_clock::now();
    const auto drain = std::chrono::milliseconds(1000LL * bufferFrames_ / frequency_);
    std::this_thread::sleep_until(start + lengthOf(*chunk) + drain);
}

} // namespace velmora
