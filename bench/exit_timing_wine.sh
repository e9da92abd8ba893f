#!/usr/bin/env bash
# Prints the time from the click on "And reboot" to the ExitWindowsEx call of
# the real Tarvic.exe under Wine, for the delays "Now" and "60s", over N runs
# each (a fresh prefix copy per run: a successful exit request ends every
# process of its prefix). The click is posted by the end-to-end driver, which
# prints the system tick; the call is timed by the relay trace's timestamps,
# the same tick.
# usage: bench/exit_timing_wine.sh [runs=3] [arch=i686]
set -euo pipefail
source "$(dirname "$0")/lib.sh"
runs=${1:-3}
arch=${2:-i686}

mingw_build "$arch" Tarvic bare_window tarvic_driver
build=$BB/mingw-$arch
driver=$build/e2e/tarvic_driver.exe
[ -f "$driver" ] || { echo "no $driver: the end-to-end driver is needed to click" >&2; exit 1; }
drv() { wine "$driver" "$@" 2>/dev/null | tr -d '\r'; }

start_xvfb
base=$BB/wine/exit-$arch
cleanup() {
  [ -n "${WINEPREFIX:-}" ] && { wineserver -k 2>/dev/null || true; }
  rm -rf "$base" "$base-boot"
  stop_xvfb
}
trap cleanup EXIT
bench_prefix "$base" "$build"
WINEPREFIX=$base wine reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /d 'ExitWindowsEx;SetTimer' /f >/dev/null 2>&1
WINEPREFIX=$base wineserver -w

# tick_of LINE: the trace's timestamp as a tick in milliseconds.
tick_of() { sed -nE 's/^ *([0-9]+)\.([0-9]{3}):.*/\1\2/p' <<<"$1" | sed 's/^0*\([0-9]\)/\1/'; }

# one_run DELAY-INDEX: milliseconds from the click to ExitWindowsEx and from
# the click to the shutdown timer's SetTimer, or a reason.
one_run() {
  local index=$1 run=$BB/wine/exit-$arch-run
  copy_prefix "$base" "$run"
  rm -rf "$run-boot"; cp -a "$base-boot" "$run-boot"
  ln -sfn "$run-boot" "$run/dosdevices/d:"
  export WINEPREFIX=$run
  drv dpi >/dev/null # the prefix's own processes start before the trace
  local trace=$run.trace
  WINEDEBUG=+timestamp,+relay wine "$PROG_WIN\\Tarvic.exe" >/dev/null 2>"$trace" &
  local pid=$! result="no main window"
  if drv wait Tarvic 30000 1001; then
    [ "$index" -gt 0 ] && drv select Tarvic 1015 "$index"
    local delay t end tick started line
    delay=$(drv text Tarvic 1015)
    t=$(drv click Tarvic 1017)
    end=$(( $(now_ms) + 90000 ))
    result="no ExitWindowsEx ($delay)"
    while [ "$(now_ms)" -lt "$end" ]; do
      tick=$(tick_of "$(grep -a -m1 'Call user32.ExitWindowsEx(' "$trace")")
      if [ -n "$tick" ]; then
        # The first one-second SetTimer after the click starts the shutdown timer.
        started=""
        while read -r line; do
          started=$(tick_of "$line")
          [ -n "$started" ] && [ "$started" -ge "$t" ] && break
          started=""
        done < <(grep -a 'Call user32.SetTimer([0-9a-f]*,[0-9a-f]*,000003e8,' "$trace")
        result="$(( tick - t )) ${started:+$(( started - t ))}"
        break
      fi
      sleep 0.05
    done
  fi
  end_program "$pid"
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  unset WINEPREFIX
  rm -rf "$run" "$run-boot" "$trace"
  echo "$result"
}

stats() { awk 'NF == 0 { next } { n++; s += $1; q += $1 * $1; if (n == 1 || $1 < lo) lo = $1; if (n == 1 || $1 > hi) hi = $1 }
  END { if (n == 0) { print "no runs"; exit } m = s / n; sd = n > 1 ? sqrt((q - n * m * m) / (n - 1)) : 0
        printf "mean %.0f ms, min %d, max %d, spread %d ms, sd %.0f ms (%d runs)", m, lo, hi, hi - lo, sd, n }'; }

# Combo2's items are Now, 60s, 10m, ...
for pair in "Now 0 5200" "60s 1 59200"; do
  read -r name index expect <<<"$pair"
  values=(); handler=(); timed=()
  for i in $(seq "$runs"); do
    read -r v h <<<"$(one_run "$index")" || true
    if [[ $v =~ ^-?[0-9]+$ ]]; then
      echo "$arch \"$name\" run $i: $v ms (shutdown timer started ${h:-?} ms after the click)"
      values+=("$v"); [ -n "${h:-}" ] && { handler+=("$h"); timed+=($(( v - h ))); }
    else
      echo "$arch \"$name\" run $i: $v ${h:-}"
    fi
  done
  echo "$arch \"$name\": click to ExitWindowsEx $(printf '%s\n' "${values[@]}" | stats)" \
       "(simulated: $expect ms)"
  echo "$arch \"$name\": click to the timer's start $(printf '%s\n' "${handler[@]}" | stats)"
  echo "$arch \"$name\": timer's start to ExitWindowsEx $(printf '%s\n' "${timed[@]}" | stats)"
done
