#include "platform/win32/w32_registry.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/w32_text.h"

namespace w32 {

namespace {

// The predefined roots are sign-extended 32-bit values in a 64-bit HKEY.
HKEY rootHandle(std::uint32_t root) {
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(root)));
}

HKEY handle(platform::RegKey key) { return reinterpret_cast<HKEY>(key); }

bool isText(std::uint32_t type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

} // namespace

long Win32Registry::openKey(std::uint32_t root, const std::string& subkey, platform::RegKey& key) {
    HKEY opened = nullptr;
    const LONG result = RegOpenKeyA(rootHandle(root), toAnsi(subkey).c_str(), &opened);
    if (result == ERROR_SUCCESS) key = reinterpret_cast<platform::RegKey>(opened);
    return result;
}

long Win32Registry::queryValue(platform::RegKey key, const std::string& name, std::uint32_t& type,
                               std::string& data, std::uint32_t capacity) {
    std::string buffer(capacity > 0 ? capacity : 1, '\0');
    DWORD size = capacity;
    DWORD kind = 0;
    const LONG result = RegQueryValueExA(handle(key), toAnsi(name).c_str(), nullptr, &kind,
                                         reinterpret_cast<BYTE*>(buffer.data()), &size);
    type = kind;
    if (result != ERROR_SUCCESS) return result;
    buffer.resize(size < capacity ? size : capacity);
    data = isText(kind) ? fromAnsi(buffer) : buffer;
    return result;
}

long Win32Registry::enumKey(platform::RegKey key, std::uint32_t index, std::string& name) {
    char buffer[1024] = {};
    const LONG result = RegEnumKeyA(handle(key), index, buffer, sizeof buffer);
    if (result == ERROR_SUCCESS) name = fromAnsi(std::string(buffer, strnlen(buffer, sizeof buffer)));
    return result;
}

long Win32Registry::setValue(platform::RegKey key, const std::string& name, std::uint32_t type,
                             const std::string& data) {
    const std::string bytes = isText(type) ? toAnsi(data) : data;
    if (bytes.size() > 0xFFFFFFFFu) return ERROR_INVALID_PARAMETER;
    return RegSetValueExA(handle(key), toAnsi(name).c_str(), 0, type,
                          reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size()));
}

long Win32Registry::deleteValue(platform::RegKey key, const std::string& name) {
    return RegDeleteValueA(handle(key), toAnsi(name).c_str());
}

long Win32Registry::closeKey(platform::RegKey key) { return RegCloseKey(handle(key)); }

} // namespace w32
