#include "sound/sdl_sound_player.h"
#include "sound/wave_check.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace velmora {

namespace {

constexpr int OutputFrequency = 44100;
constexpr int OutputChannels = 2;
constexpr int OutputBufferFrames = 512;  // about 12 ms: short latency for short cues
constexpr std::chrono::seconds RetryDeviceAfter{10};

// Larger files are not read at all: about 25 minutes of CD-quality sound, far
// beyond any cue, and reading them would freeze the game by itself.
constexpr off_t LargestCueFile = off_t{256} << 20;

// Opens a cue for SDL, or gives null when it cannot be a cue: only a regular,
// undamaged RIFF/WAVE file of sensible size is one (SDL_mixer would take
// other formats too). The file is opened without waiting and checked through its own
// descriptor, so a FIFO, a device or a socket put in its place is refused
// instead of blocking the game until a writer comes.
SDL_RWops* openWave(const std::string& path)
{
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return nullptr;
    struct stat status {};
    const auto readAt = [descriptor](std::uint64_t offset, void* buffer, std::size_t size) {
        return ::pread(descriptor, buffer, size, static_cast<off_t>(offset)) == static_cast<ssize_t>(size);
    };
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > LargestCueFile
        || !isSoundWave(readAt, static_cast<std::uint64_t>(status.st_size))) {
        ::close(descriptor);
        return nullptr;
    }
    std::FILE* file = ::fdopen(descriptor, "rb");
    if (!file) {
        ::close(descriptor);
        return nullptr;
    }
    SDL_RWops* stream = SDL_RWFromFP(file, SDL_TRUE);
    if (!stream)
        std::fclose(file);
    return stream;
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
    holdUntil_.reset();
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
    holdUntil_.reset();
    if (!open_) {
        if (failedBefore_ && std::chrono::steady_clock::now() - lastFailure_ < RetryDeviceAfter)
            return;
        if (!openDevice())
            return;
    }

    // A new cue always silences the one sounding, as the system player does.
    stopSounding();

    SDL_RWops* stream = openWave(path);
    Mix_Chunk* chunk = stream ? Mix_LoadWAV_RW(stream, 1) : nullptr;
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

    // The cue has ended once its own length and the device's last buffer
    // have passed. The mixer's "still playing" flag is no clock: on
    // PulseAudio it lags the sound by half a second.
    const auto drain = std::chrono::milliseconds(1000LL * bufferFrames_ / frequency_);
    const auto length = lengthOf(*chunk) + drain;
    holdUntil_ = std::chrono::steady_clock::now() + std::min<std::chrono::milliseconds>(length, LongestHeldCue);
    cutAtHold_ = length > LongestHeldCue;
}

bool SdlSoundPlayer::holding()
{
    if (!holdUntil_)
        return false;
    if (std::chrono::steady_clock::now() < *holdUntil_)
        return true;
    holdUntil_.reset();
    if (cutAtHold_)
        stopSounding();
    return false;
}

} // namespace velmora
