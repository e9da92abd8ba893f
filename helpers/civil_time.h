#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/locale.h"

namespace helpers {

// Moments are local seconds since 1970-01-01 00:00:00 (proleptic Gregorian);
// the date type holds years 100 to 9999.

// Days since 1970-01-01; months outside 1..12 carry into the year and a day
// outside the month counts on from its first day.
constexpr std::int64_t daysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day) {
    const std::int64_t carry = month > 0 ? (month - 1) / 12 : (month - 12) / 12;
    year += carry;
    month -= 12 * carry;
    const std::int64_t y = month <= 2 ? year - 1 : year;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t mp = month > 2 ? month - 3 : month + 9;
    const std::int64_t doy = (153 * mp + 2) / 5;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + (day - 1);
}

constexpr std::int64_t kFirstMoment = daysFromCivil(100, 1, 1) * 86400;
constexpr std::int64_t kLastMoment = daysFromCivil(9999, 12, 31) * 86400 + 86399;

constexpr std::int64_t clampMoment(std::int64_t s) {
    return s < kFirstMoment ? kFirstMoment : (s > kLastMoment ? kLastMoment : s);
}

// Saturating: the result stays inside the date type's range whatever the delta.
std::int64_t addSeconds(std::int64_t moment, std::int64_t delta);

// Fields out of their ranges carry, as in daysFromCivil.
std::int64_t secondsFromCivil(const platform::CivilTime& t);
// A moment outside the date type's range gives its nearest end.
platform::CivilTime civilFromSeconds(std::int64_t s);

// The clock's milliseconds, floored to whole seconds (also before 1970).
std::int64_t secondsFromMs(std::int64_t ms);
std::int64_t msFromSeconds(std::int64_t s);

// 0 = Sunday.
int weekday(std::int64_t moment);

// A real date and time of the date type's range (no 30 February, no 24:00).
bool isValidCivil(const platform::CivilTime& t);

// "2026-01-05 10:00:06": how a moment is kept in a value holder.
std::string momentText(const platform::CivilTime& t);
// The exact form above only; anything else, or an invalid date, is nullopt.
std::optional<platform::CivilTime> parseMomentText(const std::string& text);

} // namespace helpers
