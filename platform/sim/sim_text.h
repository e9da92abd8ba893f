#pragma once
#include <string>
#include <string_view>

namespace sim {

// ASCII-only case folding and blank trimming, as the ANSI profile and
// registry calls compare names.
std::string lowerAscii(std::string_view text);
bool equalsNoCase(std::string_view a, std::string_view b);
std::string_view trimBlanks(std::string_view text);

} // namespace sim
