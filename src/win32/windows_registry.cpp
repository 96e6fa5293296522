#include "win32/windows_registry.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace velmora {

namespace {

// advapi32 behind the interface. Windows handles are pointers; the interface
// hands out small numbers that stand for them (0 is never a handle).
class WindowsRegistry : public Registry {
public:
    std::int32_t RegOpenKeyExA(std::uint32_t root, const std::string& subKey, std::uint32_t options,
                               std::uint32_t access, std::uint32_t* key) override
    {
        HKEY opened = nullptr;
        const LONG result = ::RegOpenKeyExA(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(root)), subKey.c_str(),
                                            options, static_cast<REGSAM>(access), &opened);
        if (result != ERROR_SUCCESS) {
            *key = 0;
            return result;
        }
        handles_.push_back(opened);
        *key = static_cast<std::uint32_t>(handles_.size());
        return result;
    }

    std::int32_t RegQueryValueExA(std::uint32_t key, const std::string& valueName, std::uint32_t* type,
                                  unsigned char* buffer, std::uint32_t* size) override
    {
        HKEY handle = lookUp(key);
        if (!handle)
            return ERROR_INVALID_HANDLE;
        DWORD valueType = 0;
        DWORD valueSize = *size;
        const LONG result = ::RegQueryValueExA(handle, valueName.c_str(), nullptr, &valueType, buffer, &valueSize);
        *type = valueType;
        *size = valueSize;
        return result;
    }

    std::int32_t RegCloseKey(std::uint32_t key) override
    {
        HKEY handle = lookUp(key);
        if (!handle)
            return ERROR_INVALID_HANDLE;
        handles_[key - 1] = nullptr;
        return ::RegCloseKey(handle);
    }

private:
    HKEY lookUp(std::uint32_t key) const
    {
        return key >= 1 && key <= handles_.size() ? handles_[key - 1] : nullptr;
    }

    std::vector<HKEY> handles_;
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
