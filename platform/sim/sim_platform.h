#pragma once
#include "platform/platform.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_file_system.h"
#include "platform/sim/sim_locale.h"
#include "platform/sim/sim_process.h"
#include "platform/sim/sim_profile_files.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_session_exit.h"
#include "platform/sim/sim_shell.h"
#include "platform/sim/sim_system_info.h"
#include "platform/sim/sim_user_store.h"

namespace sim {

// One simulated Windows NT 4.0: drive c: with the program's folder and file,
// and every service in its default state.
struct SimPlatform {
    SimPlatform();
    SimPlatform(const SimPlatform&) = delete;
    SimPlatform& operator=(const SimPlatform&) = delete;

    platform::Platform platform();

    SimFileSystem files;
    SimProfileFiles profiles{files};
    SimRegistry registry;
    SimSessionExit session;
    SimSystemInfo system;
    SimShell shell;
    SimSound sound;
    SimClock clock;
    SimLocale locale;
    SimUserStore userStore;
    SimProcess process;
};

} // namespace sim
