#include "tarvic/mainwindow/delay.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "helpers/civil_time.h"

namespace {

using tarvic::delaySeconds;
using tarvic::targetMoment;

// 2026-01-05 10:00:00, a Monday.
constexpr std::int64_t kNow = 1767607200;

struct DelayCase {
    std::string text;
    double seconds;
    std::int64_t offset;  // target minus now
};

TEST(Delay, TextGivesDelayAndTarget) {
    const std::vector<DelayCase> cases = {
        {"Now", 6, 6},       {"now", 6, 6},          {"NOW", 6, 6},
        {"60s", 60, 60},     {"60S", 60, 60},        {"3s", 6, 6},
        {"0s", 6, 6},        {"s", 6, 6},            {"-5s", 6, 6},
        {"6.5s", 6.5, 7},    {"10m", 600, 600},      {"10M", 600, 600},
        {"1h", 3600, 3600},  {"5h", 18000, 18000},   {"10h", 36000, 36000},
        {"30", 1800, 1800},  {"", 300, 300},         {"abc", 300, 300},
        {"0h", 18000, 18000}, {"0m", 300, 300},      {"1.5h", 5400, 5400},
        {"999m", 59940, 59940}, {"1000m", 60000, 17 * 3600}, {"1050m", 63000, 18 * 3600},
        {"24h", 86400, 86400}, {"10 m", 600, 600},   {"10m ", 600, 600},
        {" now", 300, 300},  {"-5m", -300, -300},    {"&H10m", 960, 960},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("text: \"" + c.text + "\"");
        const double delay = delaySeconds(c.text);
        EXPECT_DOUBLE_EQ(delay, c.seconds);
        EXPECT_EQ(targetMoment(kNow, delay) - kNow, c.offset);
    }
}

TEST(Delay, RoundingAtTheSecondsAndHoursBoundary) {
    const std::vector<std::pair<double, std::int64_t>> cases = {
        {6.4, 6}, {6.5, 7}, {-6.5, -7}, {59999.4, 59999}, {59999.6, 60000},
        {60000, 17 * 3600}, {61199, 17 * 3600}, {63000, 18 * 3600}, {0, 0},
    };
    for (const auto& [delay, offset] : cases) {
        EXPECT_EQ(targetMoment(kNow, delay) - kNow, offset) << delay;
    }
}

TEST(Delay, TargetStaysInsideTheDateType) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<std::pair<double, std::int64_t>> cases = {
        {delaySeconds("1e300h"), helpers::kLastMoment},
        {delaySeconds("1e400h"), helpers::kLastMoment},
        {delaySeconds("99999999999999999999m"), helpers::kLastMoment},
        {inf, helpers::kLastMoment},
        {-inf, helpers::kFirstMoment},
        {delaySeconds("-1e300m"), helpers::kFirstMoment},
        {std::numeric_limits<double>::quiet_NaN(), kNow},
    };
    for (const auto& [delay, target] : cases) {
        SCOPED_TRACE(delay);
        EXPECT_EQ(targetMoment(kNow, delay), target);
    }
    EXPECT_EQ(helpers::momentText(helpers::civilFromSeconds(targetMoment(kNow, 1e300 * 3600))),
              "9999-12-31 23:59:59");
    // Close to the end of the range a delay still never lands before now.
    const std::int64_t late = helpers::kLastMoment - 10;
    EXPECT_EQ(targetMoment(late, 3600), helpers::kLastMoment);
    EXPECT_EQ(targetMoment(late, 1e6), helpers::kLastMoment);
}

TEST(Countdown, RemainingText) {
    const std::vector<std::pair<std::int64_t, std::string>> cases = {
        {3725, "1:02:05"},  {4, "0:00:04"},     {0, "0:00:00"},       {59, "0:00:59"},
        {60, "0:01:00"},    {3599, "0:59:59"},  {86399, "23:59:59"},  {90000, "25:00:00"},
        {360000000, "100000:00:00"}, {-1, "0:00:00"}, {-3600, "0:00:00"},
        {std::numeric_limits<std::int64_t>::min(), "0:00:00"},
    };
    for (const auto& [r, text] : cases) EXPECT_EQ(tarvic::remainingText(r), text) << r;
}

TEST(Countdown, StartsWithFourSecondsLeftOrAfterTheTarget) {
    const std::vector<std::pair<std::int64_t, bool>> cases = {
        {90000, false}, {5, false}, {4, true}, {0, true}, {-3, true},
        {std::numeric_limits<std::int64_t>::min(), true},
    };
    for (const auto& [r, starts] : cases) EXPECT_EQ(tarvic::countdownStarts(r), starts) << r;
}

} // namespace
