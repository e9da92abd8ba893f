#include "helpers/number_text.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace helpers {
namespace {

// Enough digits to round any double right; the rest only moves the exponent.
constexpr std::size_t kKeptDigits = 40;
// Written exponents saturate far beyond any text's length, so that digits
// before or after the point can still move them back into range.
constexpr std::int64_t kWrittenExponentLimit = 100000000000000000;
// Far beyond what a double can hold.
constexpr std::int64_t kExponentLimit = 100000;
constexpr std::uint64_t kRadixLimit = 0xFFFFFFFFu;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

int digitValue(char c) {
    if (isDigit(c)) return c - '0';
    c = lower(c);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Reads a text while skipping blanks wherever they stand, as the BASIC reader does.
class Cursor {
public:
    explicit Cursor(const std::string& s) : s_(s) {}
    char peek() {
        while (i_ < s_.size() && isBlank(s_[i_])) ++i_;
        return i_ < s_.size() ? s_[i_] : '\0';
    }
    void next() { ++i_; }

private:
    const std::string& s_;
    std::size_t i_ = 0;
};

double radixNumber(Cursor& c, int base) {
    std::uint64_t v = 0;
    for (;;) {
        const int d = digitValue(c.peek());
        if (d < 0 || d >= base) break;
        c.next();
        v = v * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
        if (v > kRadixLimit) v = kRadixLimit;
    }
    return static_cast<double>(v);
}

double decimalNumber(Cursor& c) {
    bool negative = false;
    char ch = c.peek();
    if (ch == '+' || ch == '-') {
        negative = ch == '-';
        c.next();
    }
    std::string digits;         // significant digits, leading zeros dropped
    std::int64_t pointPos = 0;  // value = 0.<all significant digits> * 10^pointPos
    bool any = false;
    while (isDigit(ch = c.peek())) {
        c.next();
        any = true;
        if (digits.empty() && ch == '0') continue;
        if (digits.size() < kKeptDigits) digits += ch;
        ++pointPos;
    }
    if (ch == '.') {
        c.next();
        while (isDigit(ch = c.peek())) {
            c.next();
            any = true;
            if (digits.empty() && ch == '0') {
                --pointPos;
                continue;
            }
            if (digits.size() < kKeptDigits) digits += ch;
        }
    }
    if (!any) return 0.0;
    std::int64_t exponent = 0;
    ch = lower(ch);
    if (ch == 'e' || ch == 'd') {
        c.next();
        bool expNegative = false;
        ch = c.peek();
        if (ch == '+' || ch == '-') {
            expNegative = ch == '-';
            c.next();
        }
        while (isDigit(ch = c.peek())) {
            c.next();
            if (exponent < kWrittenExponentLimit) exponent = exponent * 10 + (ch - '0');
        }
        if (expNegative) exponent = -exponent;
    }
    if (digits.empty()) return 0.0;
    std::int64_t scale = pointPos + exponent - static_cast<std::int64_t>(digits.size());
    if (scale > kExponentLimit) scale = kExponentLimit;
    if (scale < -kExponentLimit) scale = -kExponentLimit;
    // An integer mantissa needs no decimal point, so the C locale's does not matter.
    const std::string literal = digits + "e" + std::to_string(scale);
    double v = std::strtod(literal.c_str(), nullptr);
    if (!(v <= DBL_MAX)) v = DBL_MAX;
    return negative ? -v : v;
}

} // namespace

double val(const std::string& text) {
    Cursor c(text);
    if (c.peek() != '&') return decimalNumber(c);
    c.next();
    const char kind = lower(c.peek());
    if (kind == 'h') {
        c.next();
        return radixNumber(c, 16);
    }
    if (kind == 'o') c.next();
    return radixNumber(c, 8);
}

std::string numberText(double v) {
    if (std::isnan(v) || v == 0.0) return "0";
    if (v > DBL_MAX) v = DBL_MAX;
    if (v < -DBL_MAX) v = -DBL_MAX;

    // 15 significant digits, correctly rounded by the C library; the text is
    // then laid out here so that neither the locale nor the runtime's
    // exponent width shows through.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", v);
    std::string mantissa;
    const char* p = buf;
    for (; *p && *p != 'e' && *p != 'E'; ++p)
        if (isDigit(*p)) mantissa += *p;
    const long exponent = *p ? std::strtol(p + 1, nullptr, 10) : 0;
    while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();

    std::string out = v < 0 ? "-" : "";
    const auto digits = static_cast<long>(mantissa.size());
    if (exponent >= 15 || exponent < -5) {
        out += mantissa[0];
        if (digits > 1) out += "." + mantissa.substr(1);
        out += exponent < 0 ? "E-" : "E+";
        out += std::to_string(exponent < 0 ? -exponent : exponent);
    } else if (exponent >= 0) {
        const auto intDigits = static_cast<std::size_t>(exponent + 1);
        if (mantissa.size() <= intDigits) {
            out += mantissa + std::string(intDigits - mantissa.size(), '0');
        } else {
            out += mantissa.substr(0, intDigits) + "." + mantissa.substr(intDigits);
        }
    } else {
        out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + mantissa;
    }
    return out;
}

} // namespace helpers
