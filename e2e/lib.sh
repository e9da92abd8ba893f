# Sourced by run.sh: the pieces every end-to-end check uses — prefixes,
# the driver, results, files and registry read back from a prefix.
# shellcheck shell=bash

E2E_PASSED=0
E2E_FAILED=0
E2E_USER=tve2e # unprivileged account for the checks that need permissions to bite

pass() { E2E_PASSED=$((E2E_PASSED + 1)); echo "ok   $ARCH $1"; }
flunk() { E2E_FAILED=$((E2E_FAILED + 1)); echo "FAIL $ARCH $1: $2"; }
# expect NAME WANTED GOT
expect() { if [ "$2" == "$3" ]; then pass "$1"; else flunk "$1" "wanted [$2], got [$3]"; fi; }
# expect_match NAME REGEX GOT
expect_match() { if [[ $3 =~ $2 ]]; then pass "$1"; else flunk "$1" "wanted /$2/, got [$3]"; fi; }

now_ms() { date +%s%3N; }

# Runs the driver in the current prefix; as $RUN_AS when that is set.
drv() {
  if [ -n "${RUN_AS:-}" ]; then
    runuser -u "$RUN_AS" -- env HOME="$SCRATCH/home" USER="$RUN_AS" WINEPREFIX="$WINEPREFIX" \
      DISPLAY="$DISPLAY" WINEDEBUG="$WINEDEBUG" wine "$DRIVER" "$@" 2>/dev/null | tr -d '\r'
  else
    wine "$DRIVER" "$@" 2>/dev/null | tr -d '\r'
  fi
  return "${PIPESTATUS[0]}"
}

TARVIC_WIN='C:\Program Files\Tarvic\Tarvic.exe'
tarvic_dir() { echo "$WINEPREFIX/drive_c/Program Files/Tarvic"; }
# The settings file; Windows does not care how its name is spelt, the Unix
# side of Wine does.
tarvic_ini() { find "$(tarvic_dir)" -maxdepth 1 -iname tarvic.ini | head -1; }

# start_tarvic [args...]: starts the program, prints its pid. The program
# inherits the driver's output, so that goes to a file, not to a pipe that
# would stay open; its stderr goes to the trace of the check.
start_tarvic() {
  local out=$SCRATCH/start.out
  if [ -n "${RUN_AS:-}" ]; then
    runuser -u "$RUN_AS" -- env HOME="$SCRATCH/home" USER="$RUN_AS" WINEPREFIX="$WINEPREFIX" \
      DISPLAY="$DISPLAY" WINEDEBUG="$WINEDEBUG" wine "$DRIVER" start "$TARVIC_WIN" "$@" >"$out" 2>>"${START_ERR:-/dev/null}"
  else
    wine "$DRIVER" start "$TARVIC_WIN" "$@" >"$out" 2>>"${START_ERR:-/dev/null}"
  fi
  tr -d '\r' <"$out"
}

# A fresh copy of the prepared prefix; the previous one is ended and removed.
fresh_prefix() { # name
  end_prefix
  export WINEPREFIX="$SCRATCH/$1"
  copy_prefix "$DEMO" "$WINEPREFIX"
  BOOT="$SCRATCH/$1-boot"
  rm -rf "$BOOT"; cp -a "$DEMO_BOOT" "$BOOT"
  ln -sfn "$BOOT" "$WINEPREFIX/dosdevices/d:"
  # Wine's own processes start now, so that a later trace holds only ours.
  drv dpi >/dev/null
}

end_prefix() {
  [ -n "${WINEPREFIX:-}" ] || return 0
  if [ -n "${RUN_AS:-}" ]; then
    runuser -u "$RUN_AS" -- env WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null
  else
    wineserver -k 2>/dev/null
  fi
  wait_quiet
  rm -rf "$WINEPREFIX" "${BOOT:-/nonexistent}"
  unset WINEPREFIX RUN_AS
}

# Waits until the prefix's server is gone (after a kill or an exit request).
wait_quiet() { wineserver -w 2>/dev/null || true; }

# ini_get FILE SECTION KEY: one value of a profile file, or nothing.
ini_get() {
  [ -f "$1" ] || return 0
  tr -d '\r' < "$1" | awk -v s="$2" -v k="$3" '
    /^[ \t]*\[/ { cur = tolower($0); gsub(/^[ \t]*\[|\][ \t]*$/, "", cur); next }
    cur == tolower(s) { i = index($0, "="); if (i && tolower(substr($0, 1, i - 1)) == tolower(k)) { print substr($0, i + 1); exit } }'
}

# reg_get KEY VALUE: a registry value as `wine reg query` shows it.
reg_get() {
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    awk -v v="$2" 'tolower($1) == tolower(v) { sub(/^[ \t]*[^ \t]+[ \t]+[^ \t]+[ \t]+/, ""); print; exit }'
}

# attr_letters WINPATH: the DOS attributes of a file as `attrib` lists them.
attr_letters() {
  wine cmd /c attrib "$1" 2>/dev/null | tr -d '\r' | awk '{ line = $0; sub(/[A-Za-z]:\\.*/, "", line); gsub(/[^A-Z]/, "", line); print line; exit }'
}

# has_attrs LETTERS WANTED: every letter of WANTED is among LETTERS.
has_attrs() { local c; for c in $(echo "$2" | grep -o .); do [[ $1 == *$c* ]] || return 1; done; }

# Waits until FILE's bytes differ from REF, up to MS milliseconds.
wait_changed() { # file ref ms
  local end=$(( $(now_ms) + $3 ))
  while cmp -s "$1" "$2"; do [ "$(now_ms)" -lt "$end" ] || return 1; sleep 0.1; done
}

# Relay trace of the calls that end a session, to a file per check.
trace_on() { export WINEDEBUG="+timestamp,+relay"; TRACE="$SCRATCH/$1.trace"; START_ERR=$TRACE; : > "$TRACE"; }
trace_off() { export WINEDEBUG=-all; unset START_ERR; }
start_traced() { start_tarvic "$@"; }

# exit_calls: "tick flags" of every ExitWindowsEx call in the trace.
exit_calls() {
  grep -a 'Call user32.ExitWindowsEx(' "$TRACE" |
    sed -E 's/^ *([0-9]+)\.([0-9]{3}):.*ExitWindowsEx\(([0-9a-fA-F]+),.*/\1\2 \3/' |
    while read -r tick flags; do echo "$((10#$tick)) $((16#$flags))"; done
}

# Waits up to MS for an ExitWindowsEx call in the trace.
wait_exit_call() { # ms
  local end=$(( $(now_ms) + $1 ))
  until grep -aq 'Call user32.ExitWindowsEx(' "$TRACE"; do [ "$(now_ms)" -lt "$end" ] || return 1; sleep 0.05; done
}

# line_of PATTERN: first line of the thread that asked for the exit matching
# PATTERN, as a line number of the trace.
line_of() {
  local tid
  tid=$(grep -a -m1 'Call user32.ExitWindowsEx(' "$TRACE" | sed -E 's/.*([0-9a-fA-F]{4}):Call user32\.ExitWindowsEx.*/\1/')
  grep -an "$tid:Call.*$1" "$TRACE" | head -1 | cut -d: -f1
}
