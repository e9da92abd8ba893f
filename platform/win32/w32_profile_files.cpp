#include "platform/win32/w32_profile_files.h"

#include <windows.h>

#include "platform/win32/w32_text.h"

namespace w32 {

std::string Win32ProfileFiles::getString(const std::string& section, const std::string& key,
                                         const std::string& def, std::size_t bufferSize,
                                         const std::string& file) {
    if (bufferSize == 0 || bufferSize > 0x7FFFFFFF) return {};
    std::string buffer(bufferSize, '\0');
    const DWORD length = GetPrivateProfileStringA(
        toAnsi(section).c_str(), toAnsi(key).c_str(), toAnsi(def).c_str(), buffer.data(),
        static_cast<DWORD>(bufferSize), toAnsi(file).c_str());
    buffer.resize(length < bufferSize ? length : bufferSize - 1);
    return fromAnsi(buffer.substr(0, buffer.find('\0')));
}

bool Win32ProfileFiles::writeString(const std::string& section, const std::string& key,
                                    const std::string& value, const std::string& file) {
    return WritePrivateProfileStringA(toAnsi(section).c_str(), toAnsi(key).c_str(),
                                      toAnsi(value).c_str(), toAnsi(file).c_str()) != FALSE;
}

} // namespace w32
