#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/session_exit.h"

namespace sim {

// Records each call as text, for example "exitWindowsEx(9,0)", and answers
// with the chosen results. Nothing is ever ended.
class SimSessionExit : public platform::SessionExit {
public:
    static constexpr platform::TokenHandle kToken = 0x7C;
    static constexpr std::uint64_t kShutdownLuid = 19;

    bool openProcessToken(std::uint32_t access, platform::TokenHandle& token) override;
    bool lookupPrivilegeValue(const std::string& name, std::uint64_t& luid) override;
    bool adjustTokenPrivileges(platform::TokenHandle token, std::uint64_t luid,
                               std::uint32_t attributes) override;
    void closeToken(platform::TokenHandle token) override;
    bool exitWindowsEx(std::uint32_t flags, std::uint32_t reserved, std::uint32_t& error) override;

    void failToken() { tokenFails_ = true; }
    void failLookup() { lookupFails_ = true; }
    void failAdjust() { adjustFails_ = true; }
    void failExit(std::uint32_t error) { exitError_ = error; }

    std::vector<std::string> calls;

private:
    bool tokenFails_ = false, lookupFails_ = false, adjustFails_ = false;
    std::uint32_t exitError_ = 0;
};

} // namespace sim
