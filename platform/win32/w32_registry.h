#pragma once
#include "platform/registry.h"

namespace w32 {

// The Reg*A calls. Names and string-typed data are converted between UTF-8
// and the ANSI code page; other data passes as raw bytes.
class Win32Registry : public platform::Registry {
public:
    long openKey(std::uint32_t root, const std::string& subkey, platform::RegKey& key) override;
    long queryValue(platform::RegKey key, const std::string& name, std::uint32_t& type,
                    std::string& data, std::uint32_t capacity) override;
    long enumKey(platform::RegKey key, std::uint32_t index, std::string& name) override;
    long setValue(platform::RegKey key, const std::string& name, std::uint32_t type,
                  const std::string& data) override;
    long deleteValue(platform::RegKey key, const std::string& name) override;
    long closeKey(platform::RegKey key) override;
};

} // namespace w32
