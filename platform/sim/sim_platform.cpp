#include "platform/sim/sim_platform.h"

namespace sim {

SimPlatform::SimPlatform() {
    files.addDrive('c');
    files.addDirectory(system.windowsDir);
    files.putFile(process.directory + "\\" + process.fileName, "MZ");
    system.attachClock(&clock);
}

platform::Platform SimPlatform::platform() {
    return platform::Platform{profiles, registry, files,  session,   system, shell,
                              sound,    clock,    locale, userStore, process};
}

} // namespace sim
