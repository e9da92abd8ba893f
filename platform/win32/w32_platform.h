#pragma once
#include "platform/platform.h"
#include "platform/win32/w32_clock.h"
#include "platform/win32/w32_file_system.h"
#include "platform/win32/w32_locale.h"
#include "platform/win32/w32_process.h"
#include "platform/win32/w32_profile_files.h"
#include "platform/win32/w32_registry.h"
#include "platform/win32/w32_session_exit.h"
#include "platform/win32/w32_shell.h"
#include "platform/win32/w32_system_info.h"
#include "platform/win32/w32_user_store.h"

namespace w32 {

// The real Windows services, one of each; built once by WinMain.
struct Win32Platform {
    Win32Platform() = default;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    platform::Platform platform();

    Win32ProfileFiles profiles;
    Win32Registry registry;
    Win32FileSystem files;
    Win32SessionExit session;
    Win32SystemInfo system;
    Win32Shell shell;
    Win32Sound sound;
    Win32Clock clock;
    Win32Locale locale;
    Win32UserStore userStore;
    Win32Process process;
};

} // namespace w32
