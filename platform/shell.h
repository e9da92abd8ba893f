#pragma once
#include <cstdint>
#include <string>

namespace platform {

using WindowHandle = std::uintptr_t;

class Shell {
public:
    virtual ~Shell() = default;
    // ShellExecuteA; returns its result (above 32 on success).
    virtual std::intptr_t shellExecute(WindowHandle owner, const std::string& verb,
                                       const std::string& file, const std::string& parameters,
                                       const std::string& directory, int showCommand) = 0;
    // Starts a program from a command line with a normally shown window.
    virtual bool startProcess(const std::string& commandLine, std::uint32_t& error) = 0;
};

class Sound {
public:
    virtual ~Sound() = default;
    // PlaySoundA with the given flags.
    virtual bool playSound(const std::string& sound, std::uint32_t flags) = 0;
};

} // namespace platform
