#pragma once
#include "platform/session_exit.h"

namespace w32 {

class Win32SessionExit : public platform::SessionExit {
public:
    bool openProcessToken(std::uint32_t access, platform::TokenHandle& token) override;
    bool lookupPrivilegeValue(const std::string& name, std::uint64_t& luid) override;
    bool adjustTokenPrivileges(platform::TokenHandle token, std::uint64_t luid,
                               std::uint32_t attributes) override;
    void closeToken(platform::TokenHandle token) override;
    bool exitWindowsEx(std::uint32_t flags, std::uint32_t reserved, std::uint32_t& error) override;
};

} // namespace w32
