#include "platform/sim/sim_profile_files.h"

#include <optional>
#include <string_view>
#include <vector>

#include "platform/sim/sim_text.h"

namespace sim {

namespace {

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (nl == std::string_view::npos) break;
        text.remove_prefix(nl + 1);
    }
    return lines;
}

// The section a header line opens, or nullopt for any other line.
std::optional<std::string_view> sectionName(std::string_view line) {
    line = trimBlanks(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    line.remove_prefix(1);
    if (const auto close = line.find(']'); close != std::string_view::npos) line = line.substr(0, close);
    return trimBlanks(line);
}

struct Entry {
    std::string_view key;
    std::string_view value;
};

std::optional<Entry> entryOf(std::string_view line) {
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return Entry{trimBlanks(line.substr(0, eq)), trimBlanks(line.substr(eq + 1))};
}

std::string_view unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// Index range [first, last) of the body of the first section named name;
// lines before any header form the section "".
bool findSection(const std::vector<std::string_view>& lines, std::string_view name,
                 std::size_t& first, std::size_t& last) {
    bool inside = trimBlanks(name).empty();
    first = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (auto header = sectionName(lines[i])) {
            if (inside) {
                last = i;
                return true;
            }
            if (equalsNoCase(*header, trimBlanks(name))) {
                inside = true;
                first = i + 1;
            }
        }
    }
    last = lines.size();
    return inside;
}

} // namespace

std::string SimProfileFiles::getString(const std::string& section, const std::string& key,
                                       const std::string& def, std::size_t bufferSize,
                                       const std::string& file) {
    if (bufferSize == 0) return {};
    const auto cut = [bufferSize](std::string_view text) {
        return std::string(text.substr(0, bufferSize - 1));
    };
    std::string bytes;
    std::uint32_t error = 0;
    if (!files_.readFile(file, bytes, error)) return cut(def);
    const auto lines = splitLines(bytes);
    std::size_t first = 0, last = 0;
    if (!findSection(lines, section, first, last)) return cut(def);
    for (std::size_t i = first; i < last; ++i) {
        auto entry = entryOf(lines[i]);
        if (entry && equalsNoCase(entry->key, trimBlanks(key))) return cut(unquote(entry->value));
    }
    return cut(def);
}

bool SimProfileFiles::writeString(const std::string& section, const std::string& key,
                                  const std::string& value, const std::string& file) {
    std::string bytes;
    std::uint32_t error = 0;
    const bool exists = files_.readFile(file, bytes, error);
    if (!exists && error != 2) return false;
    std::vector<std::string> lines;
    for (auto line : splitLines(bytes)) lines.emplace_back(line);
    const std::vector<std::string_view> views(lines.begin(), lines.end());

    const std::string_view name = trimBlanks(key);
    const std::string_view text = trimBlanks(value);
    std::size_t first = 0, last = 0;
    if (findSection(views, section, first, last)) {
        std::size_t insertAt = first;
        bool replaced = false;
        for (std::size_t i = first; i < last && !replaced; ++i) {
            auto entry = entryOf(views[i]);
            if (entry && equalsNoCase(entry->key, name)) {
                lines[i] = std::string(entry->key) + "=" + std::string(text);
                replaced = true;
            } else if (!trimBlanks(views[i]).empty()) {
                insertAt = i + 1;
            }
        }
        if (!replaced)
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                         std::string(name) + "=" + std::string(text));
    } else {
        lines.push_back("[" + std::string(trimBlanks(section)) + "]");
        lines.push_back(std::string(name) + "=" + std::string(text));
    }
    std::string out;
    for (const auto& line : lines) out += line + "\r\n";
    return files_.overwrite(file, out, error);
}

} // namespace sim
