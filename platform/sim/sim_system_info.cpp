#include "platform/sim/sim_system_info.h"

#include "platform/sim/sim_clock.h"

namespace sim {

namespace {
// Like the real calls: the text and its zero byte must fit the buffer.
bool fits(const std::string& text, std::uint32_t bufferSize) { return text.size() < bufferSize; }
} // namespace

bool SimSystemInfo::userName(std::string& name, std::uint32_t bufferSize) {
    if (failUserName || !fits(user, bufferSize)) return false;
    name = user;
    return true;
}

bool SimSystemInfo::windowsDirectory(std::string& dir, std::uint32_t bufferSize) {
    if (failWindowsDirectory || !fits(windowsDir, bufferSize)) return false;
    dir = windowsDir;
    return true;
}

bool SimSystemInfo::version(platform::VersionInfo& info) {
    if (failVersion) return false;
    info = versionInfo;
    return true;
}

void SimSystemInfo::sleep(std::uint32_t milliseconds) {
    sleeps.push_back(milliseconds);
    if (clock_ != nullptr) clock_->advance(milliseconds);
}

} // namespace sim
