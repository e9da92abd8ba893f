#pragma once
#include <cstdint>
#include <string>

namespace platform {

struct VersionInfo {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
    std::uint32_t platformId = 0;
};

// User, Windows directory, version, beep, sleep, message text of an error.
class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    // GetUserNameA into a buffer of bufferSize bytes; false when it fails.
    virtual bool userName(std::string& name, std::uint32_t bufferSize) = 0;
    // GetWindowsDirectoryA; false when it fails.
    virtual bool windowsDirectory(std::string& dir, std::uint32_t bufferSize) = 0;
    // GetVersionExA with an OSVERSIONINFOA of size 148; false when it fails.
    virtual bool version(VersionInfo& info) = 0;
    virtual void beep() = 0;
    virtual void sleep(std::uint32_t milliseconds) = 0;
    // The system's sentence for a Win32 error code (FormatMessage), UTF-8.
    virtual std::string errorText(std::uint32_t code) = 0;
    // Bytes of a file in the system's ANSI code page, as UTF-8 for display.
    virtual std::string ansiToUtf8(const std::string& ansi) = 0;
};

} // namespace platform
