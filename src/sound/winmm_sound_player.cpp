#include "sound/winmm_sound_player.h"

#include "sound/wave_check.h"

#include <mmsystem.h>

#include <filesystem>
#include <memory>
#include <utility>

namespace velmora {

namespace {

// Stopping a held cue takes no longer than this, even when its thread is
// slow to begin.
constexpr ULONGLONG LongestStopMs = 1000;

// winmm's PlaySoundW, loaded from the system's folder at the first cue (a
// game that makes no sound never loads it); none when it cannot be had, and
// then the game is silent.
BOOL playSound(const wchar_t* sound, DWORD flags)
{
    using Call = BOOL(WINAPI*)(const wchar_t*, HMODULE, DWORD);
    static const Call call = [] {
        HMODULE winmm = LoadLibraryExW(L"winmm.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        FARPROC found = winmm ? GetProcAddress(winmm, "PlaySoundW") : nullptr;
        return reinterpret_cast<Call>(reinterpret_cast<void (*)()>(found));
    }();
    return call ? call(sound, nullptr, flags) : FALSE;
}

// What winmm is given to play: the file, or the system's default sound in
// place of a file that is no sound wave. A missing file gets the default
// from winmm itself; a damaged one would get a hold computed from its header.
struct Sound {
    std::wstring name;
    DWORD kind;  // SND_FILENAME or SND_ALIAS
};

Sound soundFor(const std::wstring& file)
{
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return {file, SND_FILENAME};
    LARGE_INTEGER size{};
    const auto readAt = [handle](std::uint64_t offset, void* buffer, std::size_t length) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD read = 0;
        return ReadFile(handle, buffer, static_cast<DWORD>(length), &read, &at) && read == length;
    };
    const bool wave = GetFileSizeEx(handle, &size) && isSoundWave(readAt, static_cast<std::uint64_t>(size.QuadPart));
    CloseHandle(handle);
    return wave ? Sound{file, SND_FILENAME} : Sound{L"SystemDefault", SND_ALIAS};
}

// Plays the sound and returns once it has sounded to its end, or has been
// stopped. The thread owns what it plays: a stop that gives up on it leaves
// it nothing freed under it.
DWORD WINAPI playToTheEnd(void* sound)
{
    const std::unique_ptr<Sound> playing(static_cast<Sound*>(sound));
    playSound(playing->name.c_str(), playing->kind | SND_SYNC);
    return 0;
}

} // namespace

// Whatever still sounds is stopped before the program ends, so that winmm
// has nothing playing while it is unloaded.
WinmmSoundPlayer::~WinmmSoundPlayer()
{
    stopHeld();
    if (played_)
        playSound(nullptr, 0);
}

void WinmmSoundPlayer::play(const std::string& path, std::uint32_t flags)
{
    stopHeld();
    played_ = true;
    // The path is UTF-8; winmm's wide call takes any name Windows has.
    auto sound = std::make_unique<Sound>(
        soundFor(std::filesystem::path(reinterpret_cast<const char8_t*>(path.c_str())).wstring()));
    if (flags != SoundSync) {
        playSound(sound->name.c_str(), sound->kind | SND_ASYNC);
        return;
    }
    // winmm tells the end of a sound only to a caller it holds: a thread of
    // its own is held, and the game asks whether it is done.
    held_ = CreateThread(nullptr, 0, playToTheEnd, sound.get(), 0, nullptr);
    if (held_)
        (void)sound.release();
    heldSince_ = GetTickCount64();
}

bool WinmmSoundPlayer::holding()
{
    if (!held_)
        return false;
    if (WaitForSingleObject(held_, 0) != WAIT_OBJECT_0 && GetTickCount64() - heldSince_ < static_cast<ULONGLONG>(LongestHeldCue.count()))
        return true;
    stopHeld();
    return false;
}

// A stop asked before the thread has begun to play stops nothing, and the
// thread would then play the whole sound: the stop is asked again until the
// thread has ended, for a bounded time.
void WinmmSoundPlayer::stopHeld()
{
    if (!held_)
        return;
    const ULONGLONG since = GetTickCount64();
    while (WaitForSingleObject(held_, 0) != WAIT_OBJECT_0 && GetTickCount64() - since < LongestStopMs) {
        playSound(nullptr, 0);
        WaitForSingleObject(held_, 10);
    }
    CloseHandle(held_);
    held_ = nullptr;
}

} // namespace velmora
