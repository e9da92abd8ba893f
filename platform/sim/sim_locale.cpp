#include "platform/sim/sim_locale.h"

namespace sim {

namespace {
std::string twoDigits(int n) {
    std::string s = std::to_string(n);
    return s.size() < 2 ? "0" + s : s;
}
} // namespace

std::string SimLocale::formatTime(const platform::CivilTime& t) {
    return std::to_string(t.hour) + ":" + twoDigits(t.minute) + ":" + twoDigits(t.second);
}

std::string SimLocale::formatDateTime(const platform::CivilTime& t) {
    return std::to_string(t.year) + "/" + twoDigits(t.month) + "/" + twoDigits(t.day) + " " +
           formatTime(t);
}

std::string SimLocale::weekdayName(int weekday) {
    static const char* const names[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                        "Thursday", "Friday", "Saturday"};
    if (weekday < 0 || weekday > 6) return {};
    return names[weekday];
}

} // namespace sim
