#include "game/sys_info.h"

#include "board/checked_math.h"

#include <array>
#include <cstdio>
#include <exception>

namespace velmora {

namespace {

constexpr std::uint32_t ValueBufferSize = 1024;

const std::string ToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string ToolValue = "PATH";
const std::string FolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const std::string FolderValue = "MSINFO";
const std::string ToolFile = "\\MSINFO32.EXE";

// A text value may carry more zeros than its terminator. The system reads a
// path up to the first, and so do the file test and the start.
std::string upToZero(const std::string& text)
{
    return text.substr(0, text.find('\0'));
}

} // namespace

bool GetKeyValue(Registry& registry, std::uint32_t KeyRoot, const std::string& KeyName, const std::string& ValueName,
                 std::string& KeyVal)
{
    std::uint32_t key = 0;
    bool found = false;
    if (registry.RegOpenKeyExA(KeyRoot, KeyName, 0, SysInfoKeyAccess, &key) != Registry::ERROR_SUCCESS) {
        KeyVal.clear();
    } else {
        std::array<unsigned char, ValueBufferSize> buffer{};
        std::uint32_t size = ValueBufferSize;
        std::uint32_t type = 0;
        if (registry.RegQueryValueExA(key, ValueName, &type, buffer.data(), &size) != Registry::ERROR_SUCCESS) {
            KeyVal.clear();
        } else {
            // The buffer is taken back as text and cut to what was delivered,
            // less a terminating zero. Nothing delivered has no last character.
            if (size == 0 || size > ValueBufferSize) {
                registry.RegCloseKey(key);
                throw RuntimeError(RuntimeError::InvalidProcedureCall);
            }
            const std::size_t kept = buffer[size - 1] == 0 ? size - 1 : size;
            const std::string text(reinterpret_cast<const char*>(buffer.data()), kept);
            if (type == Registry::REG_SZ) {
                KeyVal = text;
            } else if (type == Registry::REG_DWORD) {
                std::string hex;
                for (auto c = text.rbegin(); c != text.rend(); ++c) {
                    char digits[3];
                    std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned char>(*c));
                    hex += digits;
                }
                KeyVal = "&h" + hex;
            }
            found = true;
        }
    }
    registry.RegCloseKey(key);
    return found;
}

bool StartSysInfo(Registry& registry, SysInfoPlatform& platform)
{
    try {
        std::string path;
        if (!GetKeyValue(registry, Registry::HKEY_LOCAL_MACHINE, ToolKey, ToolValue, path)) {
            if (!GetKeyValue(registry, Registry::HKEY_LOCAL_MACHINE, FolderKey, FolderValue, path))
                return false;
            path = upToZero(path);
            if (!platform.fileExists(path + ToolFile))
                return false;
            path += ToolFile;
        }
        return platform.startProgram(upToZero(path));
    } catch (const std::exception&) {
        return false;  // every failure ends in the one message
    }
}

} // namespace velmora
