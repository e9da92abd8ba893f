#include "platform/win32/w32_clock.h"

#include <windows.h>

namespace w32 {

static_assert(daysFromCivil(1970, 1, 1) == 0);
static_assert(daysFromCivil(2000, 3, 1) == 11017);
static_assert(daysFromCivil(2026, 1, 5) * 86400000LL == 1767571200000LL);
static_assert(daysFromCivil(1969, 12, 31) == -1);

std::int64_t Win32Clock::localNowMs() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    const std::int64_t days = daysFromCivil(t.wYear, t.wMonth, t.wDay);
    return ((days * 24 + t.wHour) * 60 + t.wMinute) * 60000LL + t.wSecond * 1000LL +
           t.wMilliseconds;
}

std::uint64_t Win32Clock::tickMs() {
    const std::uint32_t now = GetTickCount();
    if (now < lastTick_) ++wraps_;
    lastTick_ = now;
    return (wraps_ << 32) + now;
}

} // namespace w32
