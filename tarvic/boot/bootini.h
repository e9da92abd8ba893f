#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarvic {

// One boot entry of "[operating systems]": line = osLine, path = osPath,
// name = osName.
struct OsEntry {
    std::string line;
    std::string path;
    std::string name;
    long diskKey = 0;
};

struct BootIniRead {
    std::vector<OsEntry> entries;
    int defaultIndex = -1; // the first entry whose path is the default, or -1
};

// The lines of a text: CR LF or LF ends a line (a CR elsewhere is data), and a
// last line without a line end still counts.
std::vector<std::string> bootIniLines(const std::string& text);

// Entries of a boot.ini text. defaultPath is "default" of "[boot loader]" as
// the profile API gives it ("no ent" when absent); it must match exactly.
// A line inside the systems section without "=" is not an entry.
BootIniRead readBootIni(const std::string& text, const std::string& defaultPath);

// The first entry whose path, turned into text by asText, is the default;
// -1 when none. The profile API gives the default as text, the file holds bytes.
int defaultEntry(const std::vector<OsEntry>& entries, const std::string& defaultPath,
                 const std::function<std::string(const std::string&)>& asText);

// The rdisk and partition digits of an ARC path read as one number.
long diskKey(const std::string& path);

// The file with entries[chosen] as default and first entry and timeout as
// the wait; every other key, entry, section and stray line of oldText kept.
// Nothing (the caller must not write) when chosen is out of range or the
// timeout holds a line feed.
std::optional<std::string> rewriteBootIni(const std::string& oldText,
                                          const std::vector<OsEntry>& entries, int chosen,
                                          const std::string& timeout);

} // namespace tarvic
