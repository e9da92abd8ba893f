#include "tarvic/exit/ext_win.h"

namespace {
constexpr std::uint32_t kPlatformNT = 2;
}

std::uint32_t platformId(platform::Platform& p) {
    platform::VersionInfo info;
    return p.system.version(info) ? info.platformId : 0;
}

bool isNT(platform::Platform& p) { return (platformId(p) & kPlatformNT) != 0; }

ExitRequest exitWin(platform::Platform& p, std::int32_t mode) {
    if (isNT(p)) {
        platform::TokenHandle token = 0;
        const bool opened = p.session.openProcessToken(
            platform::TOKEN_ADJUST_PRIVILEGES_ | platform::TOKEN_QUERY_, token);
        std::uint64_t luid = 0;
        p.session.lookupPrivilegeValue("SeShutdownPrivilege", luid);
        p.session.adjustTokenPrivileges(token, luid, platform::SE_PRIVILEGE_ENABLED_);
        if (opened) p.session.closeToken(token);
    }
    std::uint32_t error = 0;
    const bool accepted = p.session.exitWindowsEx(static_cast<std::uint32_t>(mode), 0, error);
    return {accepted, accepted ? 0 : error};
}
