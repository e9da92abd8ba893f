#include "tarvic/boot/bootini.h"

#include <cstddef>

namespace tarvic {
namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool isBlankChar(char c) { return c == ' ' || c == '\t'; }

std::string lowered(const std::string& s)
{
    std::string out(s);
    for (char& c : out)
        c = lower(c);
    return out;
}

// Case-insensitive search for a lower-case needle.
bool containsNoCase(const std::string& hay, const std::string& needle)
{
    if (needle.size() > hay.size())
        return false;
    for (std::size_t i = 0; i + needle.size() <= hay.size(); ++i) {
        std::size_t k = 0;
        while (k < needle.size() && lower(hay[i + k]) == needle[k])
            ++k;
        if (k == needle.size())
            return true;
    }
    return false;
}

bool equalsNoCase(const std::string& a, const std::string& lowerB)
{
    if (a.size() != lowerB.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lowerB[i])
            return false;
    return true;
}

std::string trimmed(const std::string& s)
{
    std::size_t b = 0;
    std::size_t e = s.size();
    while (b < e && isBlankChar(s[b]))
        ++b;
    while (e > b && isBlankChar(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

bool isBlankLine(const std::string& line)
{
    for (char c : line)
        if (!isBlankChar(c))
            return false;
    return true;
}

// The line that ends the systems section.
bool startsSection(const std::string& line)
{
    return (!line.empty() && line[0] == '[') || (line.size() > 1 && line[1] == '[');
}

// Only a section header opens the systems section, so that a comment or a
// description mentioning operating systems never turns keys into entries.
bool opensSystems(const std::string& line)
{
    return startsSection(line) && containsNoCase(line, "operating systems");
}

// The section a line heads as the profile API sees it: leading blanks, "[",
// the name up to "]" or the end of the line.
std::optional<std::string> sectionName(const std::string& line)
{
    std::size_t i = 0;
    while (i < line.size() && isBlankChar(line[i]))
        ++i;
    if (i == line.size() || line[i] != '[')
        return std::nullopt;
    const std::size_t close = line.find(']', i + 1);
    const std::size_t end = close == std::string::npos ? line.size() : close;
    return trimmed(line.substr(i + 1, end - i - 1));
}

bool isBootLoaderHeader(const std::string& line)
{
    const auto name = sectionName(line);
    return name && equalsNoCase(*name, "boot loader");
}

// The wait and the default are written afresh, so their old lines go.
bool isReplacedKey(const std::string& line)
{
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos)
        return false;
    const std::string key = trimmed(line.substr(0, eq));
    return equalsNoCase(key, "timeout") || equalsNoCase(key, "default");
}

// Where each line of an old file stands, in the reader's terms.
enum class LineKind { Entry, Other };

// The entry test of the reader, run over all lines; shared by reading and
// rewriting so that both agree on which lines are entries.
std::vector<LineKind> classify(const std::vector<std::string>& lines)
{
    std::vector<LineKind> kinds;
    kinds.reserve(lines.size());
    bool inSystems = false;
    for (const std::string& line : lines) {
        if (startsSection(line))
            inSystems = false;
        const bool entry = inSystems && line.find('=') != std::string::npos;
        kinds.push_back(entry ? LineKind::Entry : LineKind::Other);
        if (opensSystems(line))
            inSystems = true;
    }
    return kinds;
}

long leadingDigits(const std::string& s)
{
    long n = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            break;
        n = n * 10 + (c - '0');
    }
    return n;
}

void appendLine(std::string& out, const std::string& line)
{
    out += line;
    out += "\r\n";
}

} // namespace

std::vector<std::string> bootIniLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const bool last = end == std::string::npos;
        if (last)
            end = text.size();
        std::size_t cut = end;
        // A CR just before the line end (or the end of the text) belongs to it.
        if (cut > start && text[cut - 1] == '\r')
            --cut;
        lines.push_back(text.substr(start, cut - start));
        start = last ? end : end + 1;
    }
    return lines;
}

long diskKey(const std::string& path)
{
    const std::string low = lowered(path);
    auto position = [&low](const char* word) {
        const std::size_t p = low.find(word);
        return p == std::string::npos ? std::size_t{0} : p + 1;
    };
    // 1-based positions as the path is read: rdisk( and partition( are 6 and 10 long.
    const std::size_t rdiskChar = position("rdisk") + 6;
    const std::size_t partitionChar = position("partition") + 10;
    std::string joined;
    if (rdiskChar <= path.size())
        joined += path[rdiskChar - 1];
    if (partitionChar <= path.size())
        joined += path[partitionChar - 1];
    return leadingDigits(joined);
}

BootIniRead readBootIni(const std::string& text, const std::string& defaultPath)
{
    BootIniRead read;
    const std::vector<std::string> lines = bootIniLines(text);
    const std::vector<LineKind> kinds = classify(lines);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (kinds[i] != LineKind::Entry)
            continue;
        const std::string& line = lines[i];
        const std::size_t eq = line.find('=');
        OsEntry e;
        e.line = line;
        e.path = line.substr(0, eq);
        e.name = line.substr(eq + 1);
        e.diskKey = diskKey(e.path);
        read.entries.push_back(std::move(e));
    }
    read.defaultIndex = defaultEntry(read.entries, defaultPath, [](const std::string& path) { return path; });
    return read;
}

int defaultEntry(const std::vector<OsEntry>& entries, const std::string& defaultPath,
                 const std::function<std::string(const std::string&)>& asText)
{
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (asText(entries[i].path) == defaultPath)
            return static_cast<int>(i);
    return -1;
}

std::optional<std::string> rewriteBootIni(const std::string& oldText,
                                          const std::vector<OsEntry>& entries, int chosen,
                                          const std::string& timeout)
{
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= entries.size())
        return std::nullopt;
    if (timeout.find('\n') != std::string::npos)
        return std::nullopt;

    const std::vector<std::string> lines = bootIniLines(oldText);
    const std::vector<LineKind> kinds = classify(lines);

    // Lines before the first section stay at the very top: whatever put them
    // there expects them first, and they sit in no section the loader reads.
    std::string top;
    std::string bootLoader;
    // Stray lines of the systems section follow the entries in their old order.
    std::string systemsExtra;
    std::string otherSections;

    enum class Group { Top, BootLoader, Systems, Other } group = Group::Top;
    bool inBootLoaderKeys = false; // the profile API would read keys here as [boot loader]'s

    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (kinds[i] == LineKind::Entry)
            continue; // written from entries
        if (opensSystems(line)) {
            group = Group::Systems;
            continue;
        }
        if (startsSection(line) || (group == Group::Top && isBootLoaderHeader(line))) {
            if (isBootLoaderHeader(line)) {
                group = Group::BootLoader;
                inBootLoaderKeys = true;
                continue;
            }
            group = Group::Other;
            appendLine(otherSections, line);
            continue;
        }
        switch (group) {
        case Group::Top:
            appendLine(top, line);
            break;
        case Group::BootLoader:
            if (const auto name = sectionName(line))
                inBootLoaderKeys = equalsNoCase(*name, "boot loader");
            if (isBlankLine(line) || (inBootLoaderKeys && isReplacedKey(line)))
                break;
            appendLine(bootLoader, line);
            break;
        case Group::Systems:
            if (!isBlankLine(line))
                appendLine(systemsExtra, line);
            break;
        case Group::Other:
            appendLine(otherSections, line);
            break;
        }
    }

    const auto c = static_cast<std::size_t>(chosen);
    std::string out = top;
    appendLine(out, "[boot loader]");
    appendLine(out, "timeout=" + timeout);
    appendLine(out, "default=" + entries[c].path);
    out += bootLoader;
    appendLine(out, "[operating systems]");
    appendLine(out, entries[c].line);
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (i != c)
            appendLine(out, entries[i].line);
    out += systemsExtra;
    out += otherSections;
    return out;
}

} // namespace tarvic
