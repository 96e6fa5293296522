#pragma once

#include <cstdint>
#include <string>

namespace velmora {

// The three registry calls the system-information button makes, under their
// Windows names and with their Windows contract: results are Windows error
// codes (0 is success), handles are plain numbers, strings are 8-bit text.
class Registry {
public:
    static constexpr std::uint32_t HKEY_LOCAL_MACHINE = 0x80000002u;
    static constexpr std::int32_t ERROR_SUCCESS = 0;
    static constexpr std::int32_t ERROR_FILE_NOT_FOUND = 2;
    static constexpr std::int32_t ERROR_ACCESS_DENIED = 5;
    static constexpr std::int32_t ERROR_INVALID_HANDLE = 6;
    static constexpr std::int32_t ERROR_MORE_DATA = 234;
    static constexpr std::uint32_t REG_SZ = 1;
    static constexpr std::uint32_t REG_DWORD = 4;

    virtual ~Registry() = default;

    // Opens root\subKey with the access mask; the handle goes to *key.
    virtual std::int32_t RegOpenKeyExA(std::uint32_t root, const std::string& subKey, std::uint32_t options,
                                       std::uint32_t access, std::uint32_t* key) = 0;
    // Reads a value into buffer (*size bytes at most). On success *type and
    // *size say what was delivered; a value that does not fit is
    // ERROR_MORE_DATA with nothing delivered.
    virtual std::int32_t RegQueryValueExA(std::uint32_t key, const std::string& valueName, std::uint32_t* type,
                                          unsigned char* buffer, std::uint32_t* size) = 0;
    virtual std::int32_t RegCloseKey(std::uint32_t key) = 0;
};

// A system without a registry: no key can be opened.
class NoRegistry : public Registry {
public:
    std::int32_t RegOpenKeyExA(std::uint32_t, const std::string&, std::uint32_t, std::uint32_t,
                               std::uint32_t* key) override
    {
        *key = 0;
        return ERROR_FILE_NOT_FOUND;
    }
    std::int32_t RegQueryValueExA(std::uint32_t, const std::string&, std::uint32_t*, unsigned char*,
                                  std::uint32_t*) override
    {
        return ERROR_INVALID_HANDLE;
    }
    std::int32_t RegCloseKey(std::uint32_t) override { return ERROR_INVALID_HANDLE; }
};

} // namespace velmora
