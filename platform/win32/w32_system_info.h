#pragma once
#include "platform/system_info.h"

namespace w32 {

class Win32SystemInfo : public platform::SystemInfo {
public:
    bool userName(std::string& name, std::uint32_t bufferSize) override;
    bool windowsDirectory(std::string& dir, std::uint32_t bufferSize) override;
    bool version(platform::VersionInfo& info) override;
    void beep() override;
    void sleep(std::uint32_t milliseconds) override;
    std::string errorText(std::uint32_t code) override;
    std::string ansiToUtf8(const std::string& ansi) override;
};

} // namespace w32
