# Sourced by the measuring scripts: build trees, a prepared Wine prefix,
# starting a program and finding its Linux process.
# shellcheck shell=bash

BENCH_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ROOT=$(dirname "$BENCH_DIR")
BB=${TARVIC_BENCH_BUILD:-$ROOT/build/bench}
JOBS=${TARVIC_JOBS:-2}

now_ms() { date +%s%3N; }

# mingw_build ARCH [TARGET...]: the MinSizeRel cross build, with the bench programs.
mingw_build() {
  local arch=$1; shift
  local dir=$BB/mingw-$arch
  cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel -DTARVIC_BENCH=ON \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$arch.cmake" >/dev/null
  cmake --build "$dir" -j"$JOBS" --target "$@" >"$dir/bench-build.log" 2>&1 ||
    { tail -20 "$dir/bench-build.log" >&2; return 1; }
}

# The 32-bit wine runs i686 programs, the 64-bit one x86_64 programs; one
# 64-bit prefix serves both.
# shellcheck source=scripts/wine-env.sh
source "$ROOT/scripts/wine-env.sh"
# shellcheck source=scripts/demo-setup.sh
source "$ROOT/scripts/demo-setup.sh"

# bench_prefix DIR BUILD: the demonstration machine with the program installed
# and marked as run before, so that no first-run help page opens; the bare
# window beside it.
bench_prefix() {
  local dir=$1 build=$2
  make_prefix "$dir"
  demo_setup "$dir" "$build" "$dir-boot"
  local prog="$dir/drive_c/Program Files/Tarvic"
  printf '[app]\r\nopen=1\r\n' > "$prog/Tarvic.ini"
  cp "$build/bench/bare_window.exe" "$prog/"
  [ -f "$build/bench/bare_window_imports.exe" ] && cp "$build/bench/bare_window_imports.exe" "$prog/"
  WINEPREFIX=$dir wine reg add 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Setup' \
    /v bootdir /d 'D:\' /f /reg:32 >/dev/null 2>&1 || true
  WINEPREFIX=$dir wineserver -w
}

PROG_WIN='C:\Program Files\Tarvic'

# wine_for ARCH: the loader that runs that architecture's programs in one
# process (the `wine` command hands a 64-bit program to a helper process).
wine_for() {
  if [ "$1" = x86_64 ] && [ -x /usr/lib/wine/wine64 ]; then echo /usr/lib/wine/wine64; else echo wine; fi
}

# The Linux process of a Windows program started by `wine` as $1: wine
# replaces itself with the loader, so it is the same pid once the program's
# image is mapped; a program of the other word size is started afresh by a
# helper, and is found by its name within the current prefix. Waits up to 10 s.
program_pid() { # pid exe-name
  local p
  for _ in $(seq 200); do
    if grep -qi "$2" "/proc/$1/maps" 2>/dev/null; then echo "$1"; return 0; fi
    for p in $(pgrep -x "${2:0:15}"); do
      if { tr '\0' '\n' < "/proc/$p/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
        echo "$p"; return 0
      fi
    done
    sleep 0.05
  done
  return 1
}

# utime+stime of a process, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null; }
# CPU time of the live threads of a process, in microseconds, from the
# scheduler's nanosecond account (finer than the clock ticks of stat).
cpu_us() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ n += $1 } END { printf "%d", n / 1000 }'; }
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status" 2>/dev/null; }

# The wineserver of the current WINEPREFIX.
wineserver_pid() {
  local p
  for p in $(pgrep '^wineserver'); do
    if { tr '\0' '\n' < "/proc/$p/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then echo "$p"; return 0; fi
  done
  return 1
}

# Waits until a shown X window has exactly that title; polls every 10 ms.
# Prints the milliseconds at which it was seen.
wait_visible() { # title timeout-ms
  local end=$(( $(now_ms) + $2 ))
  while :; do
    if xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; then now_ms; return 0; fi
    [ "$(now_ms)" -lt "$end" ] || return 1
    sleep 0.01
  done
}

# Waits until no shown X window has that title.
wait_hidden() { # title timeout-ms
  local end=$(( $(now_ms) + $2 ))
  while xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; do
    [ "$(now_ms)" -lt "$end" ] || return 1
    sleep 0.05
  done
}

# Ends a program this script started, by its pid.
end_program() { # pid
  kill "$1" 2>/dev/null || true
  for _ in $(seq 50); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  kill -9 "$1" 2>/dev/null || true
}

median() { sort -n | awk '{ a[NR] = $1 } END { if (NR == 0) print "nan"; else if (NR % 2) print a[(NR + 1) / 2]; else print (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }

# A wineserver for the current prefix that outlives each program, so that
# every start finds it warm.
warm_server() { wineserver -w 2>/dev/null || true; wineserver -p; }

# bench_session NAME ARCH: a display and a demonstration prefix of its own,
# with a warm server, all removed again when the script exits.
bench_session() {
  start_xvfb
  export WINEPREFIX=$BB/wine/$1-$2
  trap bench_session_end EXIT
  bench_prefix "$WINEPREFIX" "$BB/mingw-$2"
  warm_server
}
bench_session_end() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  rm -rf "$WINEPREFIX" "$WINEPREFIX-boot"
  stop_xvfb
}
