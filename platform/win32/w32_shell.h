#pragma once
#include "platform/shell.h"

namespace w32 {

class Win32Shell : public platform::Shell {
public:
    std::intptr_t shellExecute(platform::WindowHandle owner, const std::string& verb,
                               const std::string& file, const std::string& parameters,
                               const std::string& directory, int showCommand) override;
    bool startProcess(const std::string& commandLine, std::uint32_t& error) override;
};

class Win32Sound : public platform::Sound {
public:
    bool playSound(const std::string& sound, std::uint32_t flags) override;
};

} // namespace w32
