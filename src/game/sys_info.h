#pragma once

#include "game/registry.h"

#include <cstdint>
#include <string>

namespace velmora {

// What starting the system-information tool needs besides the registry.
class SysInfoPlatform {
public:
    virtual ~SysInfoPlatform() = default;
    virtual bool fileExists(const std::string& path) = 0;
    // Starts the program at path with a normal, focused window; false if it could not.
    virtual bool startProgram(const std::string& path) = 0;
};

// A system with no files or programs to start, as a browser's page sees it.
class NoSystem : public SysInfoPlatform {
public:
    bool fileExists(const std::string&) override { return false; }
    bool startProgram(const std::string&) override { return false; }
};

// The access mask the keys are opened with: reading only (KEY_READ). Asking
// for the write rights as well, as the look-up once did, is refused to a
// standard user on current Windows, and the button would always fail.
inline constexpr std::uint32_t SysInfoKeyAccess = 0x20019;

// Reads a value: false with KeyVal empty when the key cannot be opened or the
// value is missing or longer than 1024 bytes. A text value loses only a
// terminating zero; a 32-bit number becomes its hexadecimal literal "&h..."
// (most significant byte first, kept in that form); any other type leaves
// KeyVal as it was and still answers true. The key is closed on every path,
// with handle 0 when it was never opened.
bool GetKeyValue(Registry& registry, std::uint32_t KeyRoot, const std::string& KeyName, const std::string& ValueName,
                 std::string& KeyVal);

// Finds the system-information tool (first where the registry names it, then
// MSINFO32.EXE in the folder it names second) and starts it. Whatever fails,
// the look-ups, the file test or the start, ends in false: the one
// "unavailable" message is due.
bool StartSysInfo(Registry& registry, SysInfoPlatform& platform);

} // namespace velmora
