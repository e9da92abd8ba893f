#!/usr/bin/env bash
# Builds and runs exit_timing_sim: when the exit request of a timed reboot
# goes out on the simulated Windows, exactly, for "Now", "60s" and "10h".
set -euo pipefail
source "$(dirname "$0")/lib.sh"
dir=$BB/native
cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVIC_BENCH=ON -DTARVIC_SANITIZE=OFF >/dev/null
cmake --build "$dir" -j"$JOBS" --target exit_timing_sim >"$dir/bench-build.log" 2>&1 ||
  { tail -20 "$dir/bench-build.log" >&2; exit 1; }
"$dir/bench/exit_timing_sim"
