#include <gtest/gtest.h>

#include <set>

#include "contract/world.h"

using namespace platform;

namespace {

TEST(ProcessContract, SingleInstanceClaimHoldsWithinTheProcess) {
    auto world = makeWorld();
    auto& process = world->platform().process;
    const std::string name = "TarvicContract" + world->regBase().substr(world->regBase().rfind('\\') + 1);
    EXPECT_TRUE(process.claimSingleInstance(name));
    EXPECT_FALSE(process.claimSingleInstance(name));
}

TEST(ProcessContract, ProgramFileLivesInProgramDirectory) {
    auto world = makeWorld();
    auto& process = world->platform().process;
    std::string dir = process.programDirectory();
    ASSERT_FALSE(dir.empty());
    if (dir.back() != '\\') dir += '\\';
    EXPECT_NE(world->platform().files.getAttributes(dir + process.programFileName()),
              INVALID_FILE_ATTRIBUTES_);
}

TEST(SystemContract, BuffersTooSmallFail) {
    auto world = makeWorld();
    auto& system = world->platform().system;
    std::string text;
    EXPECT_FALSE(system.userName(text, 1));
    EXPECT_FALSE(system.windowsDirectory(text, 2));
    EXPECT_TRUE(system.userName(text, 256));
    EXPECT_TRUE(system.windowsDirectory(text, 256));
}

TEST(SystemContract, VersionIsOfTheNtFamily) {
    auto world = makeWorld();
    VersionInfo info;
    ASSERT_TRUE(world->platform().system.version(info));
    EXPECT_EQ(info.platformId, 2u);
}

TEST(SystemContract, ErrorTextIsOneSentenceWithoutItsEnd) {
    auto world = makeWorld();
    const std::string text = world->platform().system.errorText(5);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);
    EXPECT_NE(text.back(), '.');
}

TEST(LocaleContract, SevenDistinctDayNamesAndTimesWithSeconds) {
    auto world = makeWorld();
    auto& locale = world->platform().locale;
    std::set<std::string> names;
    for (int d = 0; d < 7; ++d) names.insert(locale.weekdayName(d));
    EXPECT_EQ(names.size(), 7u);
    EXPECT_EQ(names.count(""), 0u);
    EXPECT_EQ(locale.weekdayName(7), "");
    const CivilTime t{2026, 1, 5, 10, 22, 37};
    EXPECT_NE(locale.formatTime(t).find("37"), std::string::npos);
    const std::string dateTime = locale.formatDateTime(t);
    EXPECT_NE(dateTime.find("2026"), std::string::npos);
    EXPECT_NE(dateTime.find(locale.formatTime(t)), std::string::npos);
}

TEST(UserStoreContract, DefaultUntilSetThenTheValue) {
    auto world = makeWorld();
    auto& store = world->platform().userStore;
    const std::string app = world->userStoreApp();
    EXPECT_EQ(store.get(app, "Form", "Top", "-1"), "-1");
    EXPECT_TRUE(store.set(app, "Form", "Top", "1200"));
    EXPECT_TRUE(store.set(app, "Form", "Top", "1300"));
    EXPECT_EQ(store.get(app, "Form", "Top", "-1"), "1300");
    EXPECT_EQ(store.get(app, "Form", "Left", "-1"), "-1");
}

TEST(SessionContract, PrivilegeStepsWithoutExiting) {
    auto world = makeWorld();
    auto& session = world->platform().session;
    TokenHandle token = 0;
    ASSERT_TRUE(session.openProcessToken(TOKEN_ADJUST_PRIVILEGES_ | TOKEN_QUERY_, token));
    std::uint64_t luid = 0;
    EXPECT_TRUE(session.lookupPrivilegeValue("SeShutdownPrivilege", luid));
    EXPECT_NE(luid, 0u);
    std::uint64_t unknown = 0;
    EXPECT_FALSE(session.lookupPrivilegeValue("NoSuchPrivilege", unknown));
    EXPECT_TRUE(session.adjustTokenPrivileges(token, luid, SE_PRIVILEGE_ENABLED_));
    session.closeToken(token);
}

TEST(ClockContract, TickNeverGoesBack) {
    auto world = makeWorld();
    auto& clock = world->platform().clock;
    std::uint64_t last = clock.tickMs();
    for (int i = 0; i < 1000; ++i) {
        const std::uint64_t now = clock.tickMs();
        EXPECT_GE(now, last);
        last = now;
    }
    EXPECT_GT(clock.localNowMs(), 1577836800000LL); // after 2020
}

} // namespace
