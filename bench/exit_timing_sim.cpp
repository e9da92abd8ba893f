// Prints when the exit request of a timed reboot goes out, on the simulated
// Windows: for "Now" and "60s" with the click at 20 different sub-second
// phases, and for "10h" with exact and with late timer ticks.
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "helpers/civil_time.h"
#include "helpers/module_ini.h"
#include "platform/sim/headless.h"
#include "platform/sim/sim_platform.h"
#include "tarvic/app.h"
#include "tarvic/mainwindow/form1.h"
#include "tarvic/startup/main.h"

namespace {

constexpr std::uint32_t kHiddenSystemReadOnly = platform::FILE_ATTRIBUTE_READONLY_ |
                                                platform::FILE_ATTRIBUTE_HIDDEN_ |
                                                platform::FILE_ATTRIBUTE_SYSTEM_;

// Notes the moment of the first exit request on both clocks.
class TimedSessionExit : public sim::SimSessionExit {
public:
    explicit TimedSessionExit(sim::SimClock& c) : clock(c) {}
    bool exitWindowsEx(std::uint32_t flags, std::uint32_t reserved, std::uint32_t& error) override {
        if (!requested) {
            requested = true;
            tickMs = clock.tickMs();
            localMs = clock.localNowMs();
        }
        return sim::SimSessionExit::exitWindowsEx(flags, reserved, error);
    }

    sim::SimClock& clock;
    bool requested = false;
    std::uint64_t tickMs = 0;
    std::int64_t localMs = 0;
};

struct Outcome {
    bool requested = false;
    std::int64_t clickToRequestMs = 0; // on the monotonic tick
    std::int64_t clickToRequestWallMs = 0;
    std::int64_t targetMinusRequestMs = 0; // on the wall clock
};

// One whole program: a Windows 2000 machine with a boot drive, the delay
// typed, "And reboot" clicked `phaseMs` after start-up. With `lateMsPerTick`
// the wall clock gains that much every second of timer time, as when every
// tick arrives late.
Outcome run(const std::string& delay, std::uint64_t phaseMs, std::int64_t lateMsPerTick) {
    sim::SimPlatform sys;
    TimedSessionExit session{sys.clock};
    platform::Platform p{sys.profiles, sys.registry, sys.files,  session,        sys.system, sys.shell,
                         sys.sound,    sys.clock,    sys.locale, sys.userStore, sys.process};
    sim::HeadlessBackend ui{sys.clock};
    forms::Toolkit tk{ui};
    ModuleIni ini{p};
    App app{p, tk, ini};

    sys.system.versionInfo = {5, 0, 2195, 2};
    sys.files.addDrive('d');
    sys.files.putFile("d:\\boot.ini",
                      "[boot loader]\r\ntimeout=30\r\n"
                      "default=multi(0)disk(0)rdisk(0)partition(1)\\WINNT\r\n"
                      "[operating systems]\r\n"
                      "multi(0)disk(0)rdisk(0)partition(1)\\WINNT=\"Windows 2000\" /fastdetect\r\n",
                      kHiddenSystemReadOnly);
    sys.registry.putString(platform::HKEY_LOCAL_MACHINE_,
                           "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup", "bootdir", "d:\\");

    auto form1 = Main(app);
    if (!form1) return {};
    ui.advance(1000 + phaseMs);
    if (delay != "Now") ui.type(form1->Combo2, delay);

    if (lateMsPerTick != 0) {
        // Half-way between two ticks, so the order against the timers is fixed.
        struct Drift {
            sim::HeadlessBackend& ui;
            sim::SimClock& clock;
            std::int64_t ms;
            void operator()() const {
                clock.setLocalMs(clock.localNowMs() + ms);
                ui.at(1000, *this);
            }
        };
        ui.at(500, Drift{ui, sys.clock, lateMsPerTick});
    }

    const std::uint64_t clickTick = sys.clock.tickMs();
    const std::int64_t clickLocal = sys.clock.localNowMs();
    ui.click(*form1->Command1[1]);
    const auto target = helpers::parseMomentText(form1->Timev.tag);
    if (!target) return {};
    const std::int64_t targetMs = helpers::secondsFromCivil(*target) * 1000;

    ui.loopLimitMs = 48ull * 3600 * 1000;
    for (int i = 0; i < 48 * 3600 && !session.requested; ++i) ui.advance(1000);

    Outcome o;
    o.requested = session.requested;
    o.clickToRequestMs = static_cast<std::int64_t>(session.tickMs - clickTick);
    o.clickToRequestWallMs = session.localMs - clickLocal;
    o.targetMinusRequestMs = targetMs - session.localMs;
    return o;
}

void phases(const char* delay) {
    std::printf("\"%s\": 20 runs, click at a different sub-second phase each\n", delay);
    std::printf("  %8s %18s %22s\n", "phase ms", "click->request ms", "target-request ms");
    std::int64_t lo = INT64_MAX, hi = INT64_MIN, sum = 0;
    for (std::uint64_t i = 0; i < 20; ++i) {
        const std::uint64_t phase = i * 50;
        const Outcome o = run(delay, phase, 0);
        if (!o.requested) {
            std::printf("  %8" PRIu64 " %18s\n", phase, "no request");
            continue;
        }
        std::printf("  %8" PRIu64 " %18" PRId64 " %22" PRId64 "\n", phase, o.clickToRequestMs,
                    o.targetMinusRequestMs);
        lo = o.targetMinusRequestMs < lo ? o.targetMinusRequestMs : lo;
        hi = o.targetMinusRequestMs > hi ? o.targetMinusRequestMs : hi;
        sum += o.targetMinusRequestMs;
    }
    std::printf("  target-request: min %" PRId64 " ms, max %" PRId64 " ms, mean %" PRId64
                " ms (expected: just under a second before the target, 800 ms minus the phase)\n\n",
                lo, hi, sum / 20);
}

void longDelay(std::int64_t lateMsPerTick) {
    const Outcome o = run("10h", 300, lateMsPerTick);
    std::printf("\"10h\", click at phase 300 ms, ticks %" PRId64 " ms late each: ", lateMsPerTick);
    if (!o.requested) {
        std::printf("no request\n");
        return;
    }
    const double counted = 36000.0 * (1000.0 + static_cast<double>(lateMsPerTick)) / 1000.0;
    std::printf("request %.3f s after the click (wall clock; %" PRId64 " s of timer time), %" PRId64
                " ms before the target (expected 800 - phase = 500, within one tick);"
                " counting the ticks down would have taken %.0f s\n",
                static_cast<double>(o.clickToRequestWallMs) / 1000.0, o.clickToRequestMs / 1000,
                o.targetMinusRequestMs, counted);
}

} // namespace

int main() {
    phases("Now");
    phases("60s");
    longDelay(0);
    longDelay(15);
    return 0;
}
