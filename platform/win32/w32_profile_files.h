#pragma once
#include "platform/profile_files.h"

namespace w32 {

// GetPrivateProfileStringA / WritePrivateProfileStringA; names, values and
// the file name are converted from UTF-8 to the ANSI code page.
class Win32ProfileFiles : public platform::ProfileFiles {
public:
    std::string getString(const std::string& section, const std::string& key,
                          const std::string& def, std::size_t bufferSize,
                          const std::string& file) override;
    bool writeString(const std::string& section, const std::string& key,
                     const std::string& value, const std::string& file) override;
};

} // namespace w32
