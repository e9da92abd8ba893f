#pragma once
#include <cstdint>
#include <string>

namespace platform {

// Predefined roots, as the 32-bit handle values Windows gives them.
constexpr std::uint32_t HKEY_CLASSES_ROOT_ = 0x80000000u;
constexpr std::uint32_t HKEY_CURRENT_USER_ = 0x80000001u;
constexpr std::uint32_t HKEY_LOCAL_MACHINE_ = 0x80000002u;
constexpr std::uint32_t HKEY_USERS_ = 0x80000003u;

constexpr std::uint32_t REG_SZ_ = 1;
constexpr std::uint32_t REG_BINARY_ = 3;
constexpr std::uint32_t REG_DWORD_ = 4;

// Win32 result codes the logic looks at.
constexpr long ERROR_SUCCESS_ = 0;
constexpr long ERROR_FILE_NOT_FOUND_ = 2;
constexpr long ERROR_ACCESS_DENIED_ = 5;
constexpr long ERROR_INVALID_HANDLE_ = 6;
constexpr long ERROR_MORE_DATA_ = 234;
constexpr long ERROR_NO_MORE_ITEMS_ = 259;

using RegKey = std::uintptr_t;

// The registry, one thin call per Win32 function. Every call returns the
// Win32 result code.
class Registry {
public:
    virtual ~Registry() = default;
    // RegOpenKeyA: opens an existing key with the most access allowed.
    virtual long openKey(std::uint32_t root, const std::string& subkey, RegKey& key) = 0;
    // RegQueryValueExA into a buffer of capacity bytes. On success data holds
    // exactly the stored bytes; a value larger than capacity gives
    // ERROR_MORE_DATA_.
    virtual long queryValue(RegKey key, const std::string& name, std::uint32_t& type,
                            std::string& data, std::uint32_t capacity) = 0;
    // RegEnumKeyA: name of subkey index, ERROR_NO_MORE_ITEMS_ past the end.
    virtual long enumKey(RegKey key, std::uint32_t index, std::string& name) = 0;
    // RegSetValueExA with the bytes exactly as given.
    virtual long setValue(RegKey key, const std::string& name, std::uint32_t type,
                          const std::string& data) = 0;
    virtual long deleteValue(RegKey key, const std::string& name) = 0;
    virtual long closeKey(RegKey key) = 0;
};

} // namespace platform
