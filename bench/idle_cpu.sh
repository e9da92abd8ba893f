#!/usr/bin/env bash
# Prints the CPU time (utime+stime of the program's own process, and of the
# prefix's wineserver) that an idle Tarvic uses over D seconds under Wine,
# against the bare Win32 window (plain, and with a one-second label timer, as
# Tarvic's clock has), and the working set (VmRSS) of each after start-up.
# usage: bench/idle_cpu.sh [seconds=60] [arch=i686]
set -euo pipefail
source "$(dirname "$0")/lib.sh"
secs=${1:-60}
arch=${2:-i686}
hz=$(getconf CLK_TCK)

run_wine=$(wine_for "$arch")
mingw_build "$arch" Tarvic bare_window
bench_session idle "$arch"
ws=$(wineserver_pid) || { echo "no wineserver for $WINEPREFIX" >&2; exit 1; }

ms_of() { echo $(( $1 * 1000 / hz )); }

# measure LABEL EXE TITLE [ARGS]: prints "label cpu-ms server-ms rss-kb".
measure() {
  local label=$1 exe=$2 title=$3; shift 3
  "$run_wine" "$PROG_WIN\\$exe" "$@" >/dev/null 2>&1 &
  local launcher=$! pid c0 c1 s0 s1 u0 u1 v0 v1 rss
  wait_visible "$title" 30000 >/dev/null || { echo "$label: no window" >&2; return 1; }
  pid=$(program_pid "$launcher" "$exe") || { echo "$label: no process" >&2; return 1; }
  sleep 2
  rss=$(rss_kb "$pid")
  c0=$(cpu_ticks "$pid"); s0=$(cpu_ticks "$ws"); u0=$(cpu_us "$pid"); v0=$(cpu_us "$ws")
  sleep "$secs"
  c1=$(cpu_ticks "$pid"); s1=$(cpu_ticks "$ws"); u1=$(cpu_us "$pid"); v1=$(cpu_us "$ws")
  end_program "$pid"
  end_program "$launcher"
  wait_hidden "$title" 10000 || true
  sleep 0.5
  echo "$label $(ms_of $((c1 - c0))) $(ms_of $((s1 - s0))) $rss $(( (u1 - u0) / 1000 )).$(printf %03d $(( (u1 - u0) % 1000 ))) $(( (v1 - v0) / 1000 )).$(printf %03d $(( (v1 - v0) % 1000 )))"
}

# Warm-up, not counted.
"$run_wine" "$PROG_WIN\\bare_window.exe" >/dev/null 2>&1 & w=$!
wait_visible BareWindow 30000 >/dev/null || true
w2=$(program_pid "$w" bare_window.exe) && end_program "$w2"
end_program "$w"; wait_hidden BareWindow 10000 || true

results=$(
  measure bare bare_window.exe BareWindow
  measure bare+timer bare_window.exe BareWindow timer
  measure Tarvic Tarvic.exe Tarvic
)
echo "idle $arch over $secs s: utime+stime from stat (clock tick $((1000 / hz)) ms), the scheduler's"
echo "account of the live threads (schedstat), of the program's process and of the prefix's wineserver:"
echo "$results" | while read -r label cpu srv rss fine fsrv; do
  printf '  %-11s stat %5d ms (server %5d ms)  schedstat %9s ms (server %9s ms)  VmRSS %6d KB\n' \
    "$label" "$cpu" "$srv" "$fine" "$fsrv" "$rss"
done
ratio() { # label-a label-b: process, and process plus wineserver (schedstat)
  awk -v a="$1" -v b="$2" '
    $1 == a { x = $5; xs = $5 + $6 } $1 == b { y = $5; ys = $5 + $6 }
    function r(p, q) { return q > 0 ? sprintf("%.2f", p / q) : "n/a (baseline 0)" }
    END { printf "process %s, process+wineserver %s", r(x, y), r(xs, ys) }' <<<"$results"
}
echo "  ratio Tarvic / bare:       $(ratio Tarvic bare) (target <= 1.2)"
echo "  ratio Tarvic / bare+timer: $(ratio Tarvic bare+timer)"
