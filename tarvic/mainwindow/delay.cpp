#include "tarvic/mainwindow/delay.h"

#include <cmath>

#include "helpers/civil_time.h"
#include "helpers/number_text.h"

namespace tarvic {
namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool isNow(const std::string& text) {
    return text.size() == 3 && lower(text[0]) == 'n' && lower(text[1]) == 'o' && lower(text[2]) == 'w';
}

std::string twoDigits(std::int64_t v) {
    return std::string(1, static_cast<char>('0' + v / 10)) + static_cast<char>('0' + v % 10);
}

} // namespace

double delaySeconds(const std::string& text) {
    double n = helpers::val(text);
    if (n == 0) n = 5;
    const char unit = isNow(text) ? 's' : (text.empty() ? '\0' : lower(text.back()));
    switch (unit) {
    case 's': return n < 6 ? 6 : n;
    case 'h': return n * 3600;
    default: return n * 60;
    }
}

std::int64_t targetMoment(std::int64_t nowSeconds, double delay) {
    if (std::isnan(delay)) return helpers::clampMoment(nowSeconds);
    const double step = delay < 60000 ? std::round(delay) : std::round(delay / 3600) * 3600;
    // Clamped while still a double: converting a value past int64 is undefined.
    // Moments and whole-second steps of the date range are exact in a double.
    const double target = static_cast<double>(nowSeconds) + step;
    if (target >= static_cast<double>(helpers::kLastMoment)) return helpers::kLastMoment;
    if (target <= static_cast<double>(helpers::kFirstMoment)) return helpers::kFirstMoment;
    return static_cast<std::int64_t>(target);
}

std::string remainingText(std::int64_t remaining) {
    if (remaining < 0) remaining = 0;
    return std::to_string(remaining / 3600) + ":" + twoDigits(remaining / 60 % 60) + ":" +
           twoDigits(remaining % 60);
}

bool countdownStarts(std::int64_t remaining) { return remaining <= 4; }

} // namespace tarvic
