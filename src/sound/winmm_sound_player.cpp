#include "sound/winmm_sound_player.h"

#include <mmsystem.h>

#include <filesystem>

namespace velmora {

namespace {

// A held cue never holds the game longer than this: a longer sound is
// stopped here and the game goes on as after its end.
constexpr ULONGLONG LongestHeldCueMs = 5000;

// winmm's PlaySoundW, loaded from the system's folder at the first cue (a
// game that makes no sound never loads it); none when it cannot be had, and
// then the game is silent.
BOOL playSound(const wchar_t* file, DWORD flags)
{
    using Call = BOOL(WINAPI*)(const wchar_t*, HMODULE, DWORD);
    static const Call call = [] {
        HMODULE winmm = LoadLibraryExW(L"winmm.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        FARPROC found = winmm ? GetProcAddress(winmm, "PlaySoundW") : nullptr;
        return reinterpret_cast<Call>(reinterpret_cast<void (*)()>(found));
    }();
    return call ? call(file, nullptr, flags) : FALSE;
}

// Plays the file and returns once it has sounded to its end, or has been
// stopped; a file that cannot be played gives the default sound, waited for
// alike.
DWORD WINAPI playToTheEnd(void* file)
{
    playSound(static_cast<const wchar_t*>(file), SND_FILENAME | SND_SYNC);
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
    const std::wstring file = std::filesystem::path(reinterpret_cast<const char8_t*>(path.c_str())).wstring();
    if (flags != SoundSync) {
        playSound(file.c_str(), SND_FILENAME | SND_ASYNC);
        return;
    }
    // winmm tells the end of a sound only to a caller it holds: a thread of
    // its own is held, and the game asks whether it is done.
    heldFile_ = file;
    held_ = CreateThread(nullptr, 0, playToTheEnd, heldFile_.data(), 0, nullptr);
    heldSince_ = GetTickCount64();
}

bool WinmmSoundPlayer::holding()
{
    if (!held_)
        return false;
    if (WaitForSingleObject(held_, 0) != WAIT_OBJECT_0 && GetTickCount64() - heldSince_ < LongestHeldCueMs)
        return true;
    stopHeld();
    return false;
}

void WinmmSoundPlayer::stopHeld()
{
    if (!held_)
        return;
    if (WaitForSingleObject(held_, 0) != WAIT_OBJECT_0) {
        playSound(nullptr, 0);
        WaitForSingleObject(held_, INFINITE);
    }
    CloseHandle(held_);
    held_ = nullptr;
}

} // namespace velmora
