#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/system_info.h"

namespace sim {

class SimClock;

// Settable answers; beeps and sleeps are recorded, and a sleep moves the
// attached clock on as a real one would.
class SimSystemInfo : public platform::SystemInfo {
public:
    bool userName(std::string& name, std::uint32_t bufferSize) override;
    bool windowsDirectory(std::string& dir, std::uint32_t bufferSize) override;
    bool version(platform::VersionInfo& info) override;
    void beep() override { ++beeps; }
    void sleep(std::uint32_t milliseconds) override;
    std::string errorText(std::uint32_t code) override { return "error " + std::to_string(code); }
    std::string ansiToUtf8(const std::string& ansi) override { return ansi; }

    void attachClock(SimClock* clock) { clock_ = clock; }

    std::string user = "tester";
    std::string windowsDir = "C:\\WINNT";
    platform::VersionInfo versionInfo{4, 0, 1381, 2}; // Windows NT 4.0
    bool failUserName = false, failWindowsDirectory = false, failVersion = false;
    int beeps = 0;
    std::vector<std::uint32_t> sleeps;

private:
    SimClock* clock_ = nullptr;
};

} // namespace sim
