#include "platform/sim/sim_process.h"

#include <algorithm>

namespace sim {

bool SimProcess::claimSingleInstance(const std::string& name) {
    const bool again = std::find(claimed.begin(), claimed.end(), name) != claimed.end();
    claimed.push_back(name);
    return !otherInstance && !again;
}

void SimProcess::exitNow(int code) {
    if (ended) return; // the real process is gone after the first
    exitCode = code;
    ended = true;
}

bool SimProcess::setCurrentDirectory(const std::string& path) {
    currentDirectories.push_back(path);
    return setDirectoryResult;
}

} // namespace sim
