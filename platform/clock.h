#pragma once
#include <cstdint>

namespace platform {

// Local wall time and a monotonic tick.
class Clock {
public:
    virtual ~Clock() = default;
    // Local date and time as milliseconds since 1970-01-01 00:00:00 local.
    virtual std::int64_t localNowMs() = 0;
    // Milliseconds since an arbitrary start; never goes back.
    virtual std::uint64_t tickMs() = 0;
};

} // namespace platform
