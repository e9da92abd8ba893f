#include "platform/win32/w32_user_store.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/w32_text.h"

namespace w32 {

namespace {

std::string keyPath(const std::string& app, const std::string& section) {
    return toAnsi("Software\\" + app + "\\" + section);
}

class Key {
public:
    Key() = default;
    ~Key() {
        if (h != nullptr) RegCloseKey(h);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY h = nullptr;
};

} // namespace

std::string Win32UserStore::get(const std::string& app, const std::string& section,
                                const std::string& key, const std::string& def) {
    Key k;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath(app, section).c_str(), 0, KEY_QUERY_VALUE, &k.h) !=
        ERROR_SUCCESS)
        return def;
    char buffer[2048];
    DWORD size = sizeof buffer;
    DWORD type = 0;
    if (RegQueryValueExA(k.h, toAnsi(key).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                         &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return def;
    const std::string text(buffer, strnlen(buffer, size));
    return fromAnsi(text);
}

bool Win32UserStore::set(const std::string& app, const std::string& section,
                         const std::string& key, const std::string& value) {
    Key k;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath(app, section).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &k.h,
                        &disposition) != ERROR_SUCCESS)
        return false;
    const std::string data = toAnsi(value);
    return RegSetValueExA(k.h, toAnsi(key).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
}

} // namespace w32
