#include "platform/win32/w32_session_exit.h"

#include <windows.h>

#include "platform/win32/w32_text.h"

namespace w32 {

bool Win32SessionExit::openProcessToken(std::uint32_t access, platform::TokenHandle& token) {
    HANDLE h = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), access, &h)) return false;
    token = reinterpret_cast<platform::TokenHandle>(h);
    return true;
}

bool Win32SessionExit::lookupPrivilegeValue(const std::string& name, std::uint64_t& luid) {
    LUID id{};
    if (!LookupPrivilegeValueA(nullptr, toAnsi(name).c_str(), &id)) return false;
    luid = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(id.HighPart)) << 32) | id.LowPart;
    return true;
}

bool Win32SessionExit::adjustTokenPrivileges(platform::TokenHandle token, std::uint64_t luid,
                                             std::uint32_t attributes) {
    TOKEN_PRIVILEGES wanted{};
    wanted.PrivilegeCount = 1;
    wanted.Privileges[0].Luid.LowPart = static_cast<DWORD>(luid & 0xFFFFFFFFu);
    wanted.Privileges[0].Luid.HighPart = static_cast<LONG>(luid >> 32);
    wanted.Privileges[0].Attributes = attributes;
    TOKEN_PRIVILEGES previous{};
    DWORD previousLength = 0;
    static_assert(sizeof previous == 16);
    // It answers TRUE also when the privilege was not granted; the error tells.
    return AdjustTokenPrivileges(reinterpret_cast<HANDLE>(token), FALSE, &wanted, sizeof previous,
                                 &previous, &previousLength) != FALSE &&
           GetLastError() == ERROR_SUCCESS;
}

void Win32SessionExit::closeToken(platform::TokenHandle token) {
    CloseHandle(reinterpret_cast<HANDLE>(token));
}

bool Win32SessionExit::exitWindowsEx(std::uint32_t flags, std::uint32_t reserved,
                                     std::uint32_t& error) {
    if (ExitWindowsEx(flags, reserved)) return true;
    error = GetLastError();
    return false;
}

} // namespace w32
