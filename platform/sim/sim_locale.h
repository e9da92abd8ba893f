#pragma once
#include "platform/locale.h"

namespace sim {

// Fixed English forms: "10:22:22", "2026/01/05 10:22:22", "Sunday".
class SimLocale : public platform::Locale {
public:
    std::string formatTime(const platform::CivilTime& t) override;
    std::string formatDateTime(const platform::CivilTime& t) override;
    std::string weekdayName(int weekday) override;
};

} // namespace sim
