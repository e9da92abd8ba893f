#pragma once
// ext_win: the shutdown privilege and the request to end the session.
#include <cstdint>

#include "platform/platform.h"

struct ExitRequest {
    bool accepted;
    std::uint32_t error; // GetLastError of a refused request, else 0
};

// Enables the shutdown privilege on the NT family, then asks Windows to exit
// with mode (ExitWindowsEx flags) unchanged. The privilege steps' results
// are not looked at: a failed step must not stop the request.
ExitRequest exitWin(platform::Platform& p, std::int32_t mode);
bool isNT(platform::Platform& p);
// The platform identifier of the running Windows, 0 when it cannot be read.
std::uint32_t platformId(platform::Platform& p);
