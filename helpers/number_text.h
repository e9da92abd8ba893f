#pragma once
#include <string>

namespace helpers {

// The number at the start of a text, read the classic BASIC way: blanks, tabs
// and line feeds are skipped wherever they stand, then an optional sign,
// digits, an optional fraction and an optional exponent (E or D), or &H / &O /
// & with hexadecimal or octal digits. Reading stops at the first character
// that does not fit; a text without a number gives 0.
// The result is always finite: a decimal number too large for a double gives
// +/- the largest double, and a radix number is unsigned and saturates at
// 4294967295 (&HFFFFFFFF), so "&HFFFF" is 65535, never negative.
// A sign applies to decimal numbers only ("-&H10" gives 0).
double val(const std::string& text);

// The shortest plain decimal text of a number, no leading blank, at most 15
// significant digits: 9, 10, 2.5, -1. Large or tiny values get an exponent
// ("1E+20"); the text always reads back with val.
std::string numberText(double v);

} // namespace helpers
