#include "platform/win32/w32_locale.h"

#include <windows.h>

#include "platform/win32/w32_text.h"

namespace w32 {

namespace {

SYSTEMTIME systemTime(const platform::CivilTime& t) {
    SYSTEMTIME s{};
    s.wYear = static_cast<WORD>(t.year);
    s.wMonth = static_cast<WORD>(t.month);
    s.wDay = static_cast<WORD>(t.day);
    s.wHour = static_cast<WORD>(t.hour);
    s.wMinute = static_cast<WORD>(t.minute);
    s.wSecond = static_cast<WORD>(t.second);
    return s;
}

std::string fromBuffer(const wchar_t* buffer, int length) {
    // The lengths count the terminating zero.
    return length > 1 ? narrow(std::wstring(buffer, static_cast<std::size_t>(length - 1))) : "";
}

} // namespace

std::string Win32Locale::formatTime(const platform::CivilTime& t) {
    const SYSTEMTIME s = systemTime(t);
    wchar_t buffer[128];
    return fromBuffer(buffer, GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &s, nullptr, buffer, 128));
}

std::string Win32Locale::formatDateTime(const platform::CivilTime& t) {
    const SYSTEMTIME s = systemTime(t);
    wchar_t buffer[128];
    const std::string date =
        fromBuffer(buffer, GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &s, nullptr, buffer, 128));
    return date + " " + formatTime(t);
}

std::string Win32Locale::weekdayName(int weekday) {
    if (weekday < 0 || weekday > 6) return {};
    // The locale's first day name is Monday's.
    const LCTYPE item = static_cast<LCTYPE>(LOCALE_SDAYNAME1 + (weekday + 6) % 7);
    wchar_t buffer[64];
    return fromBuffer(buffer, GetLocaleInfoW(LOCALE_USER_DEFAULT, item, buffer, 64));
}

} // namespace w32
