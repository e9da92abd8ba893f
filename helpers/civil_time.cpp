#include "helpers/civil_time.h"

#include <cstdio>

namespace helpers {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

constexpr std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0);
}

bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : kDays[m - 1];
}

} // namespace

std::int64_t addSeconds(std::int64_t moment, std::int64_t delta) {
    constexpr std::int64_t span = kLastMoment - kFirstMoment;
    if (delta > span) delta = span;
    if (delta < -span) delta = -span;
    return clampMoment(clampMoment(moment) + delta);
}

std::int64_t secondsFromCivil(const platform::CivilTime& t) {
    return daysFromCivil(t.year, t.month, t.day) * kSecondsPerDay +
           static_cast<std::int64_t>(t.hour) * 3600 + static_cast<std::int64_t>(t.minute) * 60 + t.second;
}

platform::CivilTime civilFromSeconds(std::int64_t s) {
    s = clampMoment(s);
    const std::int64_t days = floorDiv(s, kSecondsPerDay);
    const std::int64_t secs = s - days * kSecondsPerDay;

    // Days to year, month and day, counting in 400-year eras from 0000-03-01.
    const std::int64_t z = days + 719468;
    const std::int64_t era = floorDiv(z, 146097);
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t m = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);

    platform::CivilTime t;
    t.year = static_cast<int>(y);
    t.month = static_cast<int>(m);
    t.day = static_cast<int>(d);
    t.hour = static_cast<int>(secs / 3600);
    t.minute = static_cast<int>(secs / 60 % 60);
    t.second = static_cast<int>(secs % 60);
    return t;
}

std::int64_t secondsFromMs(std::int64_t ms) { return floorDiv(ms, 1000); }

std::int64_t msFromSeconds(std::int64_t s) { return clampMoment(s) * 1000; }

int weekday(std::int64_t moment) {
    // 1970-01-01 was a Thursday.
    const std::int64_t days = floorDiv(moment, kSecondsPerDay);
    return static_cast<int>(days - floorDiv(days + 4, 7) * 7 + 4);
}

bool isValidCivil(const platform::CivilTime& t) {
    return t.year >= 100 && t.year <= 9999 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
           t.day <= daysInMonth(t.year, t.month) && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 &&
           t.minute <= 59 && t.second >= 0 && t.second <= 59;
}

std::string momentText(const platform::CivilTime& t) {
    char buf[80];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    return buf;
}

std::optional<platform::CivilTime> parseMomentText(const std::string& text) {
    static const char kShape[] = "dddd-dd-dd dd:dd:dd";
    if (text.size() != sizeof kShape - 1) return std::nullopt;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (kShape[i] == 'd' ? !digit : text[i] != kShape[i]) return std::nullopt;
    }
    auto field = [&text](std::size_t at, std::size_t len) {
        int v = 0;
        for (std::size_t i = at; i < at + len; ++i) v = v * 10 + (text[i] - '0');
        return v;
    };
    platform::CivilTime t;
    t.year = field(0, 4);
    t.month = field(5, 2);
    t.day = field(8, 2);
    t.hour = field(11, 2);
    t.minute = field(14, 2);
    t.second = field(17, 2);
    if (!isValidCivil(t)) return std::nullopt;
    return t;
}

} // namespace helpers
