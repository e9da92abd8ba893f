#include "platform/sim/sim_session_exit.h"

namespace sim {

namespace {
std::string num(std::uint64_t n) { return std::to_string(n); }
} // namespace

bool SimSessionExit::openProcessToken(std::uint32_t access, platform::TokenHandle& token) {
    calls.push_back("openProcessToken(" + num(access) + ")");
    if (tokenFails_) return false;
    token = kToken;
    return true;
}

bool SimSessionExit::lookupPrivilegeValue(const std::string& name, std::uint64_t& luid) {
    calls.push_back("lookupPrivilegeValue(" + name + ")");
    if (lookupFails_ || name != "SeShutdownPrivilege") return false;
    luid = kShutdownLuid;
    return true;
}

bool SimSessionExit::adjustTokenPrivileges(platform::TokenHandle token, std::uint64_t luid,
                                           std::uint32_t attributes) {
    calls.push_back("adjustTokenPrivileges(" + num(token) + "," + num(luid) + "," +
                    num(attributes) + ")");
    return !adjustFails_ && token == kToken;
}

void SimSessionExit::closeToken(platform::TokenHandle token) {
    calls.push_back("closeToken(" + num(token) + ")");
}

bool SimSessionExit::exitWindowsEx(std::uint32_t flags, std::uint32_t reserved,
                                   std::uint32_t& error) {
    calls.push_back("exitWindowsEx(" + num(flags) + "," + num(reserved) + ")");
    if (exitError_ == 0) return true;
    error = exitError_;
    return false;
}

} // namespace sim
