#!/usr/bin/env bash
# Prints the time from starting Tarvic.exe under Wine to its main window being
# shown on the X display, against the bare Win32 window started the same way
# (warm wineserver, same prefix), as medians of N runs and their ratio; also
# the bare window that loads Tarvic's DLLs, to show what they cost.
# usage: bench/startup.sh [runs=10] [arch=i686]
set -euo pipefail
source "$(dirname "$0")/lib.sh"
runs=${1:-10}
arch=${2:-i686}

run_wine=$(wine_for "$arch")
mingw_build "$arch" Tarvic bare_window bare_window_imports
bench_session startup "$arch"

# one_start EXE TITLE: milliseconds from `wine EXE` to TITLE shown.
one_start() {
  local t0 t1 launcher pid
  t0=$(now_ms)
  "$run_wine" "$PROG_WIN\\$1" >/dev/null 2>&1 &
  launcher=$!
  if t1=$(wait_visible "$2" 30000); then echo $(( t1 - t0 )); else echo "timeout"; fi
  pid=$(program_pid "$launcher" "$1") && end_program "$pid"
  end_program "$launcher"
  # A copy still up would make the next start of Tarvic end at once.
  wait_hidden "$2" 10000 || echo "  $1 did not end" >&2
  sleep 0.5
}

# Warm-up: the desktop process and the file cache.
one_start bare_window.exe BareWindow >/dev/null
one_start Tarvic.exe Tarvic >/dev/null

bare=(); imports=(); tarvic=()
for i in $(seq "$runs"); do
  bare+=("$(one_start bare_window.exe BareWindow)")
  imports+=("$(one_start bare_window_imports.exe BareWindow)")
  tarvic+=("$(one_start Tarvic.exe Tarvic)")
  echo "run $i: bare ${bare[-1]} ms, bare with Tarvic's DLLs ${imports[-1]} ms, Tarvic ${tarvic[-1]} ms"
done
mb=$(printf '%s\n' "${bare[@]}" | grep -v timeout | median)
mi=$(printf '%s\n' "${imports[@]}" | grep -v timeout | median)
mt=$(printf '%s\n' "${tarvic[@]}" | grep -v timeout | median)
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
echo "start-up $arch ($runs runs, medians): bare window $mb ms, bare with Tarvic's DLLs $mi ms," \
     "Tarvic $mt ms; ratio Tarvic / bare $(ratio "$mt" "$mb") (target <= 1.5)," \
     "bare with DLLs / bare $(ratio "$mi" "$mb"), Tarvic / bare with DLLs $(ratio "$mt" "$mi")"
