#pragma once
// The promise of a rewrite with the file's own default and wait: nothing
// changes but the order of entries and the blank and comment lines.
// Shared by the table tests and the fuzz target.
#include <algorithm>
#include <cstddef>
#include <map>
#include <string>

#include "platform/sim/sim_file_system.h"
#include "platform/sim/sim_profile_files.h"
#include "tarvic/boot/bootini.h"

namespace roundtrip {

inline char lowerChar(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string lowerText(std::string s)
{
    for (char& c : s)
        c = lowerChar(c);
    return s;
}

inline std::string trimBlanks(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

// Lines a rewrite may drop or write afresh: blanks, comments, the two
// section headers it writes itself, and the wait and default keys.
inline bool rewritable(const std::string& line)
{
    const std::string t = trimBlanks(line);
    if (t.empty() || t[0] == ';')
        return true;
    const std::string low = lowerText(line);
    const bool header = (!line.empty() && line[0] == '[') || (line.size() > 1 && line[1] == '[');
    if (header && low.find("operating systems") != std::string::npos)
        return true;
    if (t[0] == '[') {
        const std::string name = trimBlanks(t.substr(1, t.find(']') == std::string::npos
                                                            ? std::string::npos
                                                            : t.find(']') - 1));
        if (lowerText(name) == "boot loader")
            return true;
    }
    const auto eq = line.find('=');
    if (eq != std::string::npos) {
        const std::string key = lowerText(trimBlanks(line.substr(0, eq)));
        if (key == "timeout" || key == "default")
            return true;
    }
    return false;
}

inline std::map<std::string, int> keptLines(const std::string& text)
{
    std::map<std::string, int> counts;
    for (const std::string& line : tarvic::bootIniLines(text))
        if (!rewritable(line))
            ++counts[line];
    return counts;
}

inline bool plainValue(const std::string& v)
{
    return !v.empty() && v.size() < 200 && v == trimBlanks(v) && v.front() != '"' &&
           v.front() != '\'' && v.find_first_of(std::string("\r\n\0", 3)) == std::string::npos;
}

struct Profile {
    std::string timeout, defaultPath;
};

// "timeout" and "default" of [boot loader] as the profile calls read them.
inline Profile profileOf(const std::string& text)
{
    sim::SimFileSystem fs;
    fs.putFile("c:\\boot.ini", text);
    sim::SimProfileFiles profiles(fs);
    return {profiles.getString("boot loader", "timeout", "no ent", 256, "c:\\boot.ini"),
            profiles.getString("boot loader", "default", "no ent", 256, "c:\\boot.ini")};
}

// Empty when the rewrite of text keeps its promise, else what broke. pick
// chooses the entry when no entry is the default.
inline std::string fault(const std::string& text, std::size_t pick)
{
    const Profile before = profileOf(text);
    tarvic::BootIniRead read = tarvic::readBootIni(text, before.defaultPath);
    if (read.entries.empty())
        return tarvic::rewriteBootIni(text, read.entries, 0, before.timeout)
                   ? "rewrote a file without entries"
                   : "";
    const int chosen =
        read.defaultIndex >= 0 ? read.defaultIndex : static_cast<int>(pick % read.entries.size());
    const auto out = tarvic::rewriteBootIni(text, read.entries, chosen, before.timeout);
    if (!out)
        return "no rewrite";

    std::size_t lf = 0;
    while ((lf = out->find('\n', lf)) != std::string::npos) {
        if (lf == 0 || (*out)[lf - 1] != '\r')
            return "a line end without CR";
        ++lf;
    }
    if (out->size() < 2 || out->compare(out->size() - 2, 2, "\r\n") != 0)
        return "no final line end";

    const auto c = static_cast<std::size_t>(chosen);
    const std::string path = read.entries[c].path;
    const tarvic::BootIniRead again = tarvic::readBootIni(*out, path);
    std::vector<std::string> expected{read.entries[c].line};
    for (std::size_t i = 0; i < read.entries.size(); ++i)
        if (i != c)
            expected.push_back(read.entries[i].line);
    std::vector<std::string> got;
    for (const auto& e : again.entries)
        got.push_back(e.line);
    if (got != expected)
        return "entries changed";
    if (again.defaultIndex != 0)
        return "chosen entry is not the default";
    if (keptLines(text) != keptLines(*out))
        return "a line was lost or added";

    const Profile after = profileOf(*out);
    if (plainValue(before.timeout) && after.timeout != before.timeout)
        return "timeout reads " + after.timeout;
    if (plainValue(path) && after.defaultPath != path)
        return "default reads " + after.defaultPath;

    if (tarvic::rewriteBootIni(*out, again.entries, 0, before.timeout) != out)
        return "a second rewrite changed the file";
    return "";
}

} // namespace roundtrip
