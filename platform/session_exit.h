#pragma once
#include <cstdint>
#include <string>

namespace platform {

constexpr std::uint32_t TOKEN_ADJUST_PRIVILEGES_ = 0x20;
constexpr std::uint32_t TOKEN_QUERY_ = 0x08;
constexpr std::uint32_t SE_PRIVILEGE_ENABLED_ = 0x02;

using TokenHandle = std::uintptr_t;

// The calls that end the Windows session, one per Win32 function.
class SessionExit {
public:
    virtual ~SessionExit() = default;
    virtual bool openProcessToken(std::uint32_t access, TokenHandle& token) = 0;
    virtual bool lookupPrivilegeValue(const std::string& name, std::uint64_t& luid) = 0;
    // AdjustTokenPrivileges with one privilege and a 16-byte previous state.
    virtual bool adjustTokenPrivileges(TokenHandle token, std::uint64_t luid,
                                       std::uint32_t attributes) = 0;
    virtual void closeToken(TokenHandle token) = 0;
    // ExitWindowsEx; on failure error holds GetLastError.
    virtual bool exitWindowsEx(std::uint32_t flags, std::uint32_t reserved,
                               std::uint32_t& error) = 0;
};

} // namespace platform
