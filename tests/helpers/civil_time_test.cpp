#include "helpers/civil_time.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "platform/sim/sim_clock.h"

namespace {

using platform::CivilTime;

CivilTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) { return {y, mo, d, h, mi, s}; }

void expectSame(const CivilTime& got, const CivilTime& want) {
    EXPECT_EQ(helpers::momentText(got), helpers::momentText(want));
}

struct MomentCase {
    std::string text;
    std::int64_t seconds;
    int weekday;
};

TEST(CivilTime, RoundTripsAcrossTheDateRange) {
    const std::vector<MomentCase> cases = {
        {"1970-01-01 00:00:00", 0, 4},
        {"1969-12-31 23:59:59", -1, 3},
        {"2000-02-29 12:34:56", 951827696, 2},
        {"2024-02-29 00:00:00", 1709164800, 4},
        {"1900-02-28 00:00:00", -2203977600, 3},
        {"1600-03-01 00:00:00", -11670912000, 3},
        {"2026-01-05 10:00:06", 1767607206, 1},
        {"9999-12-31 23:59:59", 253402300799, 5},
        {"0100-01-01 00:00:00", -59011459200, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto parsed = helpers::parseMomentText(c.text);
        ASSERT_TRUE(parsed.has_value());
        EXPECT_EQ(helpers::secondsFromCivil(*parsed), c.seconds);
        EXPECT_EQ(helpers::momentText(helpers::civilFromSeconds(c.seconds)), c.text);
        EXPECT_EQ(helpers::weekday(c.seconds), c.weekday);
    }
    EXPECT_EQ(helpers::kFirstMoment, -59011459200);
    EXPECT_EQ(helpers::kLastMoment, 253402300799);
}

TEST(CivilTime, NextDayFollowsTheLeapRules) {
    const std::vector<std::pair<CivilTime, CivilTime>> cases = {
        {at(2000, 2, 28), at(2000, 2, 29)},  {at(1900, 2, 28), at(1900, 3, 1)},
        {at(2024, 2, 29), at(2024, 3, 1)},   {at(2023, 2, 28), at(2023, 3, 1)},
        {at(2023, 12, 31), at(2024, 1, 1)},  {at(1969, 12, 31), at(1970, 1, 1)},
    };
    for (const auto& [day, next] : cases) {
        SCOPED_TRACE(helpers::momentText(day));
        expectSame(helpers::civilFromSeconds(helpers::addSeconds(helpers::secondsFromCivil(day), 86400)),
                   next);
    }
}

TEST(CivilTime, FieldsOutOfRangeCarry) {
    const std::vector<std::pair<CivilTime, CivilTime>> cases = {
        {at(2025, 13, 1), at(2026, 1, 1)},     {at(2026, 0, 1), at(2025, 12, 1)},
        {at(2026, -11, 1), at(2025, 1, 1)},    {at(2026, -12, 1), at(2024, 12, 1)},
        {at(2024, 3, 0), at(2024, 2, 29)},     {at(2026, 1, 5, 24, 0, 0), at(2026, 1, 6)},
        {at(2026, 1, 5, 0, 0, -1), at(2026, 1, 4, 23, 59, 59)},
    };
    for (const auto& [given, same] : cases) {
        SCOPED_TRACE(helpers::momentText(given));
        EXPECT_EQ(helpers::secondsFromCivil(given), helpers::secondsFromCivil(same));
    }
}

TEST(CivilTime, MomentsStayInsideTheDateType) {
    constexpr auto big = std::numeric_limits<std::int64_t>::max();
    constexpr auto small = std::numeric_limits<std::int64_t>::min();
    expectSame(helpers::civilFromSeconds(big), at(9999, 12, 31, 23, 59, 59));
    expectSame(helpers::civilFromSeconds(small), at(100, 1, 1));
    EXPECT_EQ(helpers::addSeconds(helpers::kLastMoment, big), helpers::kLastMoment);
    EXPECT_EQ(helpers::addSeconds(helpers::kLastMoment, 1), helpers::kLastMoment);
    EXPECT_EQ(helpers::addSeconds(helpers::kFirstMoment, small), helpers::kFirstMoment);
    EXPECT_EQ(helpers::addSeconds(big, small), helpers::kFirstMoment);
    EXPECT_EQ(helpers::msFromSeconds(big), helpers::kLastMoment * 1000);
}

TEST(CivilTime, ClockMillisecondsFloorToSeconds) {
    sim::SimClock clock;
    const std::int64_t now = helpers::secondsFromMs(clock.localNowMs());
    EXPECT_EQ(helpers::momentText(helpers::civilFromSeconds(now)), "2026-01-05 10:00:00");
    EXPECT_EQ(helpers::weekday(now), 1);
    const std::vector<std::pair<std::int64_t, std::int64_t>> cases = {
        {0, 0}, {999, 0}, {1000, 1}, {-1, -1}, {-1000, -1}, {-1001, -2}};
    for (const auto& [ms, s] : cases) EXPECT_EQ(helpers::secondsFromMs(ms), s) << ms;
    EXPECT_EQ(helpers::msFromSeconds(-2), -2000);
}

TEST(CivilTime, ParseRejectsAnythingButTheCanonicalForm) {
    for (const std::string text : {"", "2026-1-05 10:00:06", "2026-01-05T10:00:06", "2026-01-05 10:00:06 ",
                                   " 2026-01-05 10:00:06", "+026-01-05 10:00:06", "2026-02-29 00:00:00",
                                   "2026-04-31 00:00:00", "1900-02-29 00:00:00", "2026-13-01 00:00:00",
                                   "2026-00-10 00:00:00", "2026-01-00 00:00:00", "2026-01-05 24:00:00",
                                   "2026-01-05 23:60:00", "2026-01-05 23:59:60", "0099-12-31 23:59:59",
                                   "2026/01/05 10:00:06", "2026-01-05 10:00:0x"}) {
        EXPECT_FALSE(helpers::parseMomentText(text).has_value()) << text;
    }
    EXPECT_TRUE(helpers::parseMomentText("2400-02-29 00:00:00").has_value());
}

} // namespace
