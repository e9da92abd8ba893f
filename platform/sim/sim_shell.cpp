#include "platform/sim/sim_shell.h"

namespace sim {

std::intptr_t SimShell::shellExecute(platform::WindowHandle owner, const std::string& verb,
                                     const std::string& file, const std::string& parameters,
                                     const std::string& directory, int showCommand) {
    opens.push_back({owner, verb, file, parameters, directory, showCommand});
    return openResult;
}

bool SimShell::startProcess(const std::string& commandLine, std::uint32_t& error) {
    starts.push_back(commandLine);
    if (startError == 0) return true;
    error = startError;
    return false;
}

} // namespace sim
