#pragma once
#include <string>

namespace platform {

struct CivilTime {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

// The user's date and time forms and weekday names, UTF-8.
class Locale {
public:
    virtual ~Locale() = default;
    virtual std::string formatTime(const CivilTime& t) = 0;
    virtual std::string formatDateTime(const CivilTime& t) = 0;
    // 0 = Sunday.
    virtual std::string weekdayName(int weekday) = 0;
};

} // namespace platform
