#include "win32/winmm_player.h"

#include "win32/win32_front_end.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

namespace velmora {

namespace {

constexpr DWORD LongestBlockingCueMs = 5000;

std::uint32_t little32(const char* bytes)
{
    std::uint32_t value = 0;
    std::memcpy(&value, bytes, 4);
    return value;
}

// How long a RIFF/WAVE file sounds, from its header; empty when the file is
// no wave file winmm could play.
std::optional<DWORD> lengthMs(const std::wstring& path)
{
    std::ifstream file(std::filesystem::path(path), std::ios::binary);
    char header[12];
    if (!file.read(header, 12) || std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0)
        return std::nullopt;
    std::uint32_t bytesPerSecond = 0;
    char chunk[8];
    while (file.read(chunk, 8)) {
        const std::uint32_t size = little32(chunk + 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0 && size >= 16) {
            char format[16];
            if (!file.read(format, 16))
                return std::nullopt;
            bytesPerSecond = little32(format + 8);
            file.seekg(size - 16 + (size & 1), std::ios::cur);
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (bytesPerSecond == 0)
                return std::nullopt;
            // A file cut short sounds only as long as what it holds.
            const std::streamoff at = file.tellg();
            file.seekg(0, std::ios::end);
            const std::uint64_t held = std::min<std::uint64_t>(size, static_cast<std::uint64_t>(file.tellg() - at));
            return static_cast<DWORD>(held * 1000 / bytesPerSecond);
        } else {
            file.seekg(size + (size & 1), std::ios::cur);
        }
    }
    return std::nullopt;
}

} // namespace

void WinmmPlayer::play(const std::string& path, std::uint32_t flags)
{
    holdUntil_ = 0;
    const std::wstring file = wide(path);
    const std::optional<DWORD> length = flags == SoundSync ? lengthMs(file) : std::nullopt;
    if (!length) {
        // Not held: an asynchronous cue, or no wave file (the default sound).
        PlaySoundW(file.c_str(), nullptr, SND_FILENAME | SND_ASYNC);
        return;
    }
    if (!PlaySoundW(file.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT))
        return;
    holdUntil_ = GetTickCount64() + std::min(*length + 20, LongestBlockingCueMs);
    cutAtHold_ = *length + 20 > LongestBlockingCueMs;
}

bool WinmmPlayer::holding()
{
    if (holdUntil_ == 0)
        return false;
    if (GetTickCount64() < holdUntil_)
        return true;
    holdUntil_ = 0;
    if (cutAtHold_)
        PlaySoundW(nullptr, nullptr, 0);
    return false;
}

} // namespace velmora
