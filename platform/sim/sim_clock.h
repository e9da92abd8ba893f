#pragma once
#include <cstdint>

#include "platform/clock.h"

namespace sim {

// A virtual clock: time moves only when a test (or the headless message
// loop) advances it.
class SimClock : public platform::Clock {
public:
    // Starts at 2026-01-05 10:00:00 local, a Monday.
    std::int64_t localNowMs() override { return localStartMs_ + static_cast<std::int64_t>(tick_); }
    std::uint64_t tickMs() override { return tick_; }
    void advance(std::uint64_t ms) { tick_ += ms; }
    // Moves the wall clock without moving the monotonic tick (a clock change).
    void setLocalMs(std::int64_t ms) { localStartMs_ = ms - static_cast<std::int64_t>(tick_); }

private:
    std::int64_t localStartMs_ = 1767607200000; // 2026-01-05 10:00:00
    std::uint64_t tick_ = 0;
};

} // namespace sim
