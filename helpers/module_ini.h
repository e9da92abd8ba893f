#pragma once
// Module_ini: profile file, registry, user, version and shell helpers.
// Text is UTF-8 here; the Win32 services convert it to the ANSI code page.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/platform.h"

class ModuleIni {
public:
    explicit ModuleIni(platform::Platform& p) : p_(p) {}

    // The profile file iniRead and iniWrite act on.
    std::string iniFile;

    // "" for a key present with an empty value, "no ent" when missing.
    std::string iniRead(const std::string& section, const std::string& key);
    void iniWrite(const std::string& section, const std::string& key, const std::string& value);

    // "err" when the key cannot be opened or the value cannot be read.
    std::string regRead(std::uint32_t root, const std::string& path, const std::string& name);
    // nullopt when the key or value cannot be read or holds other than 4 bytes,
    // so that a stored 0 stays distinct from a failure.
    std::optional<std::int32_t> regReadDword(std::uint32_t root, const std::string& path,
                                             const std::string& name);
    std::string regEnum(std::uint32_t root, const std::string& path, std::uint32_t index);
    // Win32 result: the open's code when it failed, else the write's.
    long regWriteSz(std::uint32_t root, const std::string& path, const std::string& name,
                    const std::string& text);
    long regWriteDword(std::uint32_t root, const std::string& path, const std::string& name,
                       std::int32_t number);
    long regDelete(std::uint32_t root, const std::string& path, const std::string& name);

    std::string userName();
    std::string appDir();
    // nullopt when the version cannot be read; callers count it as 0.
    std::optional<std::uint32_t> winMajor();
    void shellOpen(platform::WindowHandle owner, const std::string& target);
    std::string winDir();

private:
    platform::Platform& p_;
};
