#include "platform/win32/w32_system_info.h"

#include <windows.h>

#include "platform/win32/w32_text.h"

namespace w32 {

bool Win32SystemInfo::userName(std::string& name, std::uint32_t bufferSize) {
    if (bufferSize == 0) return false;
    std::string buffer(bufferSize, '\0');
    DWORD size = bufferSize;
    if (!GetUserNameA(buffer.data(), &size)) return false;
    name = fromAnsi(buffer.substr(0, buffer.find('\0')));
    return true;
}

bool Win32SystemInfo::windowsDirectory(std::string& dir, std::uint32_t bufferSize) {
    if (bufferSize == 0) return false;
    std::string buffer(bufferSize, '\0');
    const UINT length = GetWindowsDirectoryA(buffer.data(), bufferSize);
    if (length == 0 || length >= bufferSize) return false;
    dir = fromAnsi(buffer.substr(0, length));
    return true;
}

bool Win32SystemInfo::version(platform::VersionInfo& info) {
    OSVERSIONINFOA record{};
    record.dwOSVersionInfoSize = sizeof record;
    static_assert(sizeof record == 148);
    if (!GetVersionExA(&record)) return false;
    info.major = record.dwMajorVersion;
    info.minor = record.dwMinorVersion;
    info.build = record.dwBuildNumber;
    info.platformId = record.dwPlatformId;
    return true;
}

void Win32SystemInfo::beep() { MessageBeep(MB_OK); }

void Win32SystemInfo::sleep(std::uint32_t milliseconds) { Sleep(milliseconds); }

std::string Win32SystemInfo::errorText(std::uint32_t code) {
    wchar_t buffer[512] = {};
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                       buffer, sizeof buffer / sizeof buffer[0], nullptr);
    std::wstring text(buffer, length);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ' ||
                             text.back() == L'.'))
        text.pop_back();
    if (text.empty()) return "error " + std::to_string(code);
    return narrow(text);
}

std::string Win32SystemInfo::ansiToUtf8(const std::string& ansi) { return fromAnsi(ansi); }

} // namespace w32
