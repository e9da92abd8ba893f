#pragma once
#include <string_view>

namespace w32 {

// What follows the program name in a command line, without leading blanks.
// The name ends at the closing quote when it starts with one, else at the
// first blank, as the C runtime splits it.
template <typename Char>
std::basic_string_view<Char> argumentsAfterProgram(std::basic_string_view<Char> line) {
    std::size_t at = 0;
    if (!line.empty() && line[0] == Char('"')) {
        const auto close = line.find(Char('"'), 1);
        at = close == line.npos ? line.size() : close + 1;
    }
    while (at < line.size() && line[at] != Char(' ') && line[at] != Char('\t')) ++at;
    while (at < line.size() && (line[at] == Char(' ') || line[at] == Char('\t'))) ++at;
    return line.substr(at);
}

} // namespace w32
