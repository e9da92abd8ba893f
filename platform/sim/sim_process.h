#pragma once
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/process.h"

namespace sim {

// Settable program facts; an exit is recorded instead of ending anything.
class SimProcess : public platform::Process {
public:
    // False when another copy is running (otherInstance) or the name was
    // claimed before in this process, like a second named mutex.
    bool claimSingleInstance(const std::string& name) override;
    std::string programDirectory() override { return directory; }
    std::string programFileName() override { return fileName; }
    platform::ProgramVersion version() override { return programVersion; }
    std::string commandLine() override { return arguments; }
    void exitNow(int code) override;
    bool setCurrentDirectory(const std::string& path) override;

    bool otherInstance = false;
    std::string directory = "C:\\Program Files\\Tarvic";
    std::string fileName = "Tarvic.exe";
    platform::ProgramVersion programVersion{1, 4, 3};
    std::string arguments;
    bool setDirectoryResult = true;

    std::vector<std::string> claimed;
    std::vector<std::string> currentDirectories;
    std::optional<int> exitCode;
    bool ended = false;
};

} // namespace sim
