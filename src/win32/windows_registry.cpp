#include "win32/windows_registry.h"

#include <windows.h>

#include <memory>

namespace velmora {

namespace {

// The interface's handles are 32 bits wide, as the look-up keeps them.
// Windows gives a handle its meaning in the low 32 bits, so a handle is cut
// to them on the way out and sign-extended on the way back in, as the
// predefined roots (HKEY_LOCAL_MACHINE) are spelled.
HKEY handle(std::uint32_t key)
{
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<std::int32_t>(key)));
}

// advapi32 behind the interface.
class WindowsRegistry : public Registry {
public:
    std::int32_t RegOpenKeyExA(std::uint32_t root, const std::string& subKey, std::uint32_t options,
                               std::uint32_t access, std::uint32_t* key) override
    {
        HKEY opened = nullptr;
        const LONG result =
            ::RegOpenKeyExA(handle(root), subKey.c_str(), options, static_cast<REGSAM>(access), &opened);
        *key = result == ERROR_SUCCESS ? static_cast<std::uint32_t>(reinterpret_cast<ULONG_PTR>(opened)) : 0;
        return result;
    }

    std::int32_t RegQueryValueExA(std::uint32_t key, const std::string& valueName, std::uint32_t* type,
                                  unsigned char* buffer, std::uint32_t* size) override
    {
        DWORD valueType = 0;
        DWORD valueSize = *size;
        const LONG result = ::RegQueryValueExA(handle(key), valueName.c_str(), nullptr, &valueType, buffer, &valueSize);
        *type = valueType;
        *size = valueSize;
        return result;
    }

    std::int32_t RegCloseKey(std::uint32_t key) override { return ::RegCloseKey(handle(key)); }
};

class WindowsSystem : public SysInfoPlatform {
public:
    bool fileExists(const std::string& path) override
    {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    }

    // Only a program counts as started: a folder or a document at the path
    // is refused here, where the shell would open a window for it and report
    // success.
    bool startProgram(const std::string& path) override
    {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION started{};
        if (!CreateProcessA(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
            return false;
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
        return true;
    }
};

} // namespace

std::unique_ptr<Registry> makeWindowsRegistry()
{
    return std::make_unique<WindowsRegistry>();
}

std::unique_ptr<SysInfoPlatform> makeWindowsSystem()
{
    return std::make_unique<WindowsSystem>();
}

} // namespace velmora
