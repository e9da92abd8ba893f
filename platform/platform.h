#pragma once
#include "clock.h"
#include "file_system.h"
#include "locale.h"
#include "process.h"
#include "profile_files.h"
#include "registry.h"
#include "session_exit.h"
#include "shell.h"
#include "system_info.h"
#include "user_store.h"

namespace platform {

// Everything the logic reaches of Windows; built once by each composition
// root (WinMain, or a test fixture) and handed in.
struct Platform {
    ProfileFiles& profiles;
    Registry& registry;
    FileSystem& files;
    SessionExit& session;
    SystemInfo& system;
    Shell& shell;
    Sound& sound;
    Clock& clock;
    Locale& locale;
    UserStore& userStore;
    Process& process;
};

} // namespace platform
