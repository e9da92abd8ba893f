#include "platform/win32/w32_platform.h"

namespace w32 {

platform::Platform Win32Platform::platform() {
    return platform::Platform{profiles, registry, files,  session,   system, shell,
                              sound,    clock,    locale, userStore, process};
}

} // namespace w32
