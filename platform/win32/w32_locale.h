#pragma once
#include "platform/locale.h"

namespace w32 {

// The user's default locale: GetTimeFormatW, GetDateFormatW, GetLocaleInfoW.
class Win32Locale : public platform::Locale {
public:
    std::string formatTime(const platform::CivilTime& t) override;
    std::string formatDateTime(const platform::CivilTime& t) override;
    std::string weekdayName(int weekday) override;
};

} // namespace w32
