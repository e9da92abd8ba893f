#include <gtest/gtest.h>

#include "platform/sim/sim_platform.h"
#include "tarvic/exit/ext_win.h"

namespace {

using Calls = std::vector<std::string>;

const std::string kOpen = "openProcessToken(40)";
const std::string kLookup = "lookupPrivilegeValue(SeShutdownPrivilege)";
const std::string kAdjust = "adjustTokenPrivileges(124,19,2)";
const std::string kClose = "closeToken(124)";

TEST(ExitWin, EnablesThePrivilegeThenPassesTheModeUnchanged) {
    for (std::int32_t mode : {0, 1, 2, 4, 5, 6, 8, 9, 12}) {
        sim::SimPlatform sim;
        auto p = sim.platform();
        const ExitRequest r = exitWin(p, mode);
        EXPECT_TRUE(r.accepted);
        EXPECT_EQ(sim.session.calls,
                  (Calls{kOpen, kLookup, kAdjust, kClose, "exitWindowsEx(" + std::to_string(mode) + ",0)"}));
    }
}

TEST(ExitWin, OutsideTheNtFamilyNoTokenIsTouched) {
    sim::SimPlatform sim;
    sim.system.versionInfo = {4, 10, 1998, 1};
    auto p = sim.platform();
    EXPECT_FALSE(isNT(p));
    exitWin(p, 2);
    EXPECT_EQ(sim.session.calls, (Calls{"exitWindowsEx(2,0)"}));
}

TEST(ExitWin, FailedPrivilegeStepsDoNotStopTheRequest) {
    struct Case {
        void (sim::SimSessionExit::*fail)();
        Calls calls;
    };
    const std::vector<Case> cases = {
        {&sim::SimSessionExit::failToken,
         {kOpen, kLookup, "adjustTokenPrivileges(0,19,2)", "exitWindowsEx(9,0)"}},
        {&sim::SimSessionExit::failLookup,
         {kOpen, kLookup, "adjustTokenPrivileges(124,0,2)", kClose, "exitWindowsEx(9,0)"}},
        {&sim::SimSessionExit::failAdjust, {kOpen, kLookup, kAdjust, kClose, "exitWindowsEx(9,0)"}},
    };
    for (const auto& c : cases) {
        sim::SimPlatform sim;
        (sim.session.*c.fail)();
        auto p = sim.platform();
        EXPECT_TRUE(exitWin(p, 9).accepted);
        EXPECT_EQ(sim.session.calls, c.calls);
    }
}

TEST(ExitWin, RefusedExitIsReportedWithItsError) {
    sim::SimPlatform sim;
    sim.session.failExit(1314);
    auto p = sim.platform();
    const ExitRequest r = exitWin(p, 8);
    EXPECT_FALSE(r.accepted);
    EXPECT_EQ(r.error, 1314u);
}

TEST(ExitWin, PlatformIdFromTheVersion) {
    sim::SimPlatform sim;
    auto p = sim.platform();
    EXPECT_EQ(platformId(p), 2u);
    EXPECT_TRUE(isNT(p));
    sim.system.versionInfo.platformId = 3; // any id with the NT bit counts
    EXPECT_TRUE(isNT(p));
    sim.system.failVersion = true;
    EXPECT_EQ(platformId(p), 0u);
    EXPECT_FALSE(isNT(p));
    exitWin(p, 2);
    EXPECT_EQ(sim.session.calls, (Calls{"exitWindowsEx(2,0)"}));
}

} // namespace
