#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace sim {

struct ShellCall {
    platform::WindowHandle owner = 0;
    std::string verb, file, parameters, directory;
    int showCommand = 0;
};

// Records every open and start; nothing is opened.
class SimShell : public platform::Shell {
public:
    std::intptr_t shellExecute(platform::WindowHandle owner, const std::string& verb,
                               const std::string& file, const std::string& parameters,
                               const std::string& directory, int showCommand) override;
    bool startProcess(const std::string& commandLine, std::uint32_t& error) override;

    std::vector<ShellCall> opens;
    std::vector<std::string> starts;
    std::intptr_t openResult = 42;
    std::uint32_t startError = 0; // non-zero: starting fails with it
};

struct SoundCall {
    std::string sound;
    std::uint32_t flags = 0;
};

class SimSound : public platform::Sound {
public:
    bool playSound(const std::string& sound, std::uint32_t flags) override {
        played.push_back({sound, flags});
        return result;
    }
    std::vector<SoundCall> played;
    bool result = true;
};

} // namespace sim
