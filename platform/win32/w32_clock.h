#pragma once
#include <cstdint>

#include "platform/clock.h"

namespace w32 {

// Days from 1970-01-01 to the given proleptic Gregorian date.
constexpr std::int64_t daysFromCivil(int year, int month, int day) {
    const int y = month <= 2 ? year - 1 : year;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yearOfEra = y - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return static_cast<std::int64_t>(era) * 146097 + dayOfEra - 719468;
}

class Win32Clock : public platform::Clock {
public:
    std::int64_t localNowMs() override;
    // GetTickCount wraps after 49.7 days; the wraps seen are counted.
    std::uint64_t tickMs() override;

private:
    std::uint32_t lastTick_ = 0;
    std::uint64_t wraps_ = 0;
};

} // namespace w32
