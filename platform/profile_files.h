#pragma once
#include <cstddef>
#include <string>

namespace platform {

// Windows profile (INI) files, as GetPrivateProfileStringA and
// WritePrivateProfileStringA see them. Text is in the ANSI code page.
class ProfileFiles {
public:
    virtual ~ProfileFiles() = default;
    // The value of section/key in file, or def when the key, the section or
    // the file is missing; cut to bufferSize - 1 bytes like the real call.
    virtual std::string getString(const std::string& section, const std::string& key,
                                  const std::string& def, std::size_t bufferSize,
                                  const std::string& file) = 0;
    // Creates the file, the section or the key as needed. False on failure.
    virtual bool writeString(const std::string& section, const std::string& key,
                             const std::string& value, const std::string& file) = 0;
};

} // namespace platform
