#!/usr/bin/env bash
# End-to-end checks of the real Tarvic.exe under Wine, one architecture.
# usage: e2e/run.sh <mingw build dir> <base wine prefix> <scratch dir>
# The caller has started the X display and made the base prefix.
set -u
[ $# -eq 3 ] || { echo "usage: $0 <mingw build dir> <base wine prefix> <scratch dir>" >&2; exit 2; }
BUILD=$(cd "$1" && pwd)
BASE=$2
SCRATCH=$3
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(dirname "$HERE")
FIX=$HERE/fixtures
DRIVER=$BUILD/e2e/tarvic_driver.exe
ARCH=$(basename "$BUILD" | sed 's/.*-//')
# shellcheck source=scripts/wine-env.sh
source "$ROOT/scripts/wine-env.sh"
# shellcheck source=scripts/demo-setup.sh
source "$ROOT/scripts/demo-setup.sh"
# shellcheck source=e2e/lib.sh
source "$HERE/lib.sh"
export WINEDEBUG=-all

for f in "$DRIVER" "$BUILD/tarvic/Tarvic.exe"; do
  [ -f "$f" ] || { echo "e2e: missing $f"; echo "e2e: 0 passed, 1 failed"; exit 1; }
done
rm -rf "$SCRATCH"; mkdir -p "$SCRATCH/home"
chmod 755 "$SCRATCH"
T0=$(now_ms)

SETUP='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Setup'
FORM='HKCU\Software\Tarvic\Form'

# The prepared machine every check copies: the demonstration set-up, our own
# boot.ini with its hidden, system and read-only attributes, the relay filter.
prepare_demo() {
  DEMO=$SCRATCH/demo
  DEMO_BOOT=$SCRATCH/demo-boot
  copy_prefix "$BASE" "$DEMO"
  demo_setup "$DEMO" "$BUILD" "$DEMO_BOOT"
  export WINEPREFIX=$DEMO
  chmod u+w "$DEMO_BOOT/boot.ini"
  cp "$FIX/boot.ini" "$DEMO_BOOT/boot.ini"
  # Wine's attrib takes one attribute per call.
  local a
  for a in +r +h +s; do wine attrib "$a" 'D:\boot.ini' >/dev/null 2>&1; done
  # A 32-bit program reads its own view of the machine's software key.
  wine reg add "$SETUP" /v bootdir /d 'D:\' /f /reg:32 >/dev/null 2>&1
  # With no window manager on the display Wine waits 2 s for a minimized
  # window to hide; windows it manages itself do not wait.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /f \
    /d 'ExitWindowsEx;AdjustTokenPrivileges;LookupPrivilegeValueA;LookupPrivilegeValueW' >/dev/null 2>&1
  wineserver -w
  unset WINEPREFIX
}

# Starts the program and waits for its main window.
up() {
  PID=$(start_tarvic)
  drv wait Tarvic 15000 1001
}

# --- form and start-up --------------------------------------------------------

check_form() {
  fresh_prefix form
  if ! up; then flunk "form: main window" "no window titled Tarvic"; return; fi
  pass "form: main window titled Tarvic"

  local dpi want rect
  dpi=$(drv dpi)
  want=$(( (100 * dpi + 720) / 1440 ))
  rect=$(drv rect Tarvic)
  read -r l t _ _ <<<"$rect"
  if [ $(( l - want )) -ge -1 ] && [ $(( l - want )) -le 1 ] && [ $(( t - want )) -ge -1 ] && [ $(( t - want )) -le 1 ]
  then pass "form: first start at 100,100 twips"
  else flunk "form: first start at 100,100 twips" "wanted about $want,$want px at $dpi dpi, got $rect"; fi

  # id | text (empty: not compared) | shown
  local bad="" id text vis got
  while IFS='|' read -r id text vis; do
    [ -n "$id" ] || continue
    # A holder need not be a window at all.
    got=$(drv visible Tarvic "$id") || { [ "$vis" == 0 ] || bad+=" $id:missing"; continue; }
    [ "$got" == "$vis" ] || bad+=" $id:visible=$got"
    if [ -n "$text" ]; then
      got=$(drv text Tarvic "$id")
      [ "$got" == "$text" ] || bad+=" $id:[$got]"
    fi
  done <<'TABLE'
1001|Default Boot OS|1
1002|Tarvic Ver 1.4.3|1
1003|Boot Drive|1
1004|Boot wait|1
1005|"Windows 2000 Professional" /fastdetect|1
1006|D:\|1
1007|30|1
1008|+|1
1009|-|1
1010|Default Profile|1
1011|Profiles Wait|1
1012||1
1013||1
1014|RestartWait|1
1015|Now|1
1016|Set default|1
1017|And reboot|1
1018|And pow off|1
1019|End|1
1020|REST TIME|0
1026|Show in taskbar|1
1027||1
1028||1
1031||0
1032||0
1033||0
1034||0
TABLE
  if [ -z "$bad" ]; then pass "form: controls, captions, shown and hidden"; else flunk "form: controls" "$bad"; fi

  expect "form: Combo2 items" "Now 60s 10m 1h 5h 10h" "$(drv items Tarvic 1015 | paste -sd' ')"
  expect "form: Combo1 lists boot.ini, default selected" \
    '"Windows 2000 Professional" /fastdetect|"Windows NT Workstation 4.00"|"Windows NT Workstation 4.00 [VGA mode]" /basevideo /sos|"Windows 2000 Server" /fastdetect sel=0' \
    "$(drv items Tarvic 1005 | paste -sd'|') sel=$(drv sel Tarvic 1005)"

  # A second copy ends at once, also with an exit keyword, and leaves the first alone.
  local second
  second=$(start_tarvic reboot)
  if drv exited "$second" 5000; then pass "form: second start ends at once"
  else flunk "form: second start ends at once" "still running"; fi
  sleep 0.5
  expect "form: first copy untouched" "1 0 normal" \
    "$(drv count Tarvic) $(drv count PowerOFF) $(drv state Tarvic)"

  # Spin buttons held for 1.5 s: start text | button | expected text
  local start button expect_t
  while IFS='|' read -r start button expect_t; do
    drv settext Tarvic 1007 "$start"
    drv press Tarvic "$button"
    sleep 1.5
    drv release Tarvic "$button"
    sleep 0.3
    expect "form: hold $( [ "$button" == 1008 ] && echo + || echo - ) from $start" "$expect_t" "$(drv text Tarvic 1007)"
  done <<'TABLE'
59|1008|60
55|1008|60
1|1009|0
5|1009|1
TABLE

  # Moved, then ended with END: the position and the settings are stored.
  drv move Tarvic 300 200
  sleep 0.3
  drv menu Tarvic 1102
  if drv exited "$PID" 5000; then pass "form: END ends the program"; else flunk "form: END ends the program" "still running"; fi
  wait_quiet
  expect "form: END writes open=1 in [app]" "1" "$(ini_get "$(tarvic_ini)" app open)"
  local top left tray tw
  tw=$(( 1440 / dpi ))
  top=$(reg_get "$FORM" Top); left=$(reg_get "$FORM" Left); tray=$(reg_get "$FORM" Tray)
  expect "form: Top, Left, Tray in $FORM" "$((200 * tw)) $((300 * tw)) 0" "$top $left $tray"

  if up; then
    rect=$(drv rect Tarvic)
    expect "form: next start where it was" "300 200" "$(cut -d' ' -f1,2 <<<"$rect")"
  else
    flunk "form: next start where it was" "no window"
  fi
}

# --- boot configuration -------------------------------------------------------

check_set_default() {
  fresh_prefix setdefault
  local a
  a=$(attr_letters 'D:\boot.ini')
  if has_attrs "$a" HSR; then pass "boot: D:\\boot.ini is hidden, system, read-only"
  else flunk "boot: D:\\boot.ini is hidden, system, read-only" "[$a]"; fi
  if ! up; then flunk "boot: set default" "no main window"; return; fi
  expect "boot: Text1 shows the timeout" "30" "$(drv text Tarvic 1007)"
  drv select Tarvic 1005 2
  drv click Tarvic 1016 >/dev/null
  wait_changed "$BOOT/boot.ini" "$FIX/boot.ini" 5000
  sleep 0.3
  if cmp -s "$BOOT/boot.ini" "$FIX/boot-third-default.ini"; then pass "boot: set default on the third of four rewrites the file"
  else flunk "boot: set default on the third of four rewrites the file" "$(diff <(cat -A "$FIX/boot-third-default.ini") <(cat -A "$BOOT/boot.ini") | head -12 | paste -sd' ')"; fi
  a=$(attr_letters 'D:\boot.ini')
  if has_attrs "$a" HSR; then pass "boot: attributes kept after the rewrite"; else flunk "boot: attributes kept after the rewrite" "[$a]"; fi
  expect "boot: list reread, chosen entry first and selected" \
    '"Windows NT Workstation 4.00 [VGA mode]" /basevideo /sos sel=0' \
    "$(drv items Tarvic 1005 | head -1) sel=$(drv sel Tarvic 1005)"
}

# Root ignores permissions, so the failed replacement runs as a plain user on
# a prefix of its own, with the boot folder left to root.
check_replace_fails() {
  fresh_prefix denied
  id "$E2E_USER" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$E2E_USER"
  local before="$SCRATCH/denied-before.ini" attrs_before
  cp -p "$BOOT/boot.ini" "$before"
  attrs_before=$(attr_letters 'D:\boot.ini')
  wineserver -k 2>/dev/null; wait_quiet
  # The prefix names its server directory, which belongs to its owner.
  rm -f "$WINEPREFIX/wineserver"
  chown -R "$E2E_USER" "$WINEPREFIX" "$SCRATCH/home"
  chown -R root:root "$BOOT"; chmod 755 "$BOOT"
  export RUN_AS=$E2E_USER
  if up; then
    drv select Tarvic 1005 2
    drv click Tarvic 1016 >/dev/null
    local box
    box=$(drv msgbox 8000 | paste -sd' ')
    echo "     $ARCH message: $box"
    expect_match "boot: failed replacement shows a message naming the file" '[Bb]oot\.ini' "$box"
    drv msgboxok
  else
    flunk "boot: failed replacement" "no main window as $E2E_USER"
  fi
  runuser -u "$RUN_AS" -- env WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null
  runuser -u "$RUN_AS" -- env WINEPREFIX="$WINEPREFIX" wineserver -w 2>/dev/null
  unset RUN_AS
  rm -f "$WINEPREFIX/wineserver"
  chown -R root:root "$WINEPREFIX" "$SCRATCH/home"
  if cmp -s "$BOOT/boot.ini" "$before"; then pass "boot: failed replacement leaves boot.ini byte for byte"
  else flunk "boot: failed replacement leaves boot.ini byte for byte" "changed"; fi
  expect "boot: failed replacement keeps the attributes, leaves no temporary file" "$attrs_before|" \
    "$(attr_letters 'D:\boot.ini')|$(find "$BOOT" -mindepth 1 ! -name boot.ini | paste -sd' ')"
}

# Without "bootdir" on Windows 2000 the user is asked; each user's answer is
# kept under their own name.
check_ask_drive() {
  fresh_prefix ask
  wine reg delete "$SETUP" /v bootdir /f >/dev/null 2>&1
  wine reg delete "$SETUP" /v bootdir /f /reg:32 >/dev/null 2>&1

  export USER=alice
  PID=$(start_tarvic)
  if drv wait "Select Boot Drive" 15000; then pass "boot: no bootdir on win2k asks for the drive"
  else flunk "boot: no bootdir on win2k asks for the drive" "no dialog"; unset USER; return; fi
  local d
  d=$(drv items "Select Boot Drive" 3002 | grep -in '^d:' | head -1 | cut -d: -f1)
  if [ -z "$d" ]; then flunk "boot: drive list holds D:" "$(drv items "Select Boot Drive" 3002 | paste -sd' ')"; unset USER; return; fi
  drv select "Select Boot Drive" 3002 $((d - 1))
  drv click "Select Boot Drive" 3003 >/dev/null
  drv wait Tarvic 10000 1001
  expect "boot: chosen drive shown" "d:\\" "$(drv text Tarvic 1006 | tr 'D' 'd')"
  drv menu Tarvic 1102; drv exited "$PID" 5000

  export USER=bob
  PID=$(start_tarvic)
  if drv wait "Select Boot Drive" 15000; then
    drv click "Select Boot Drive" 3004 >/dev/null
    drv wait Tarvic 10000 1001
    drv menu Tarvic 1102; drv exited "$PID" 5000
  fi
  wait_quiet

  export USER=alice
  PID=$(start_tarvic)
  drv wait Tarvic 15000 1001
  local asked=no
  [ "$(drv count "Select Boot Drive")" == 0 ] || asked=yes
  expect "boot: two users keep their own drive" "alice=d:\\ bob=c:\\ asked-again=no" \
    "alice=$(ini_get "$(tarvic_ini)" osboot alice | tr 'D' 'd') bob=$(ini_get "$(tarvic_ini)" osboot bob | tr 'C' 'c') asked-again=$asked"
  unset USER
}

# Windows NT 4.0 without "bootdir": c:\boot.ini is taken.
check_nt40() {
  fresh_prefix nt40
  wine reg delete "$SETUP" /v bootdir /f >/dev/null 2>&1
  wine reg delete "$SETUP" /v bootdir /f /reg:32 >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine' /v Version /d nt40 /f >/dev/null 2>&1
  cp "$FIX/boot.ini" "$WINEPREFIX/drive_c/boot.ini"
  wineserver -w
  if ! up; then flunk "boot: nt40 takes c:\\boot.ini" "no main window"; return; fi
  expect "boot: nt40 takes c:\\boot.ini" "c:\\ 4 0" \
    "$(drv text Tarvic 1006 | tr 'C' 'c') $(drv items Tarvic 1005 | wc -l) $(drv count 'Select Boot Drive')"
}

# --- exits ---------------------------------------------------------------------

# The exit request: the privilege first, then ExitWindowsEx with FLAGS, timed
# from T_CLICK (a tick of the prefix's clock).
expect_exit() { # name flags t_click min_ms max_ms
  local name=$1 flags=$2 t_click=$3 min=$4 max=$5
  if ! wait_exit_call 10000; then flunk "$name" "no ExitWindowsEx"; return; fi
  local call tick got_flags dt
  call=$(exit_calls | head -1)
  read -r tick got_flags <<<"$call"
  dt=$(( tick - t_click ))
  echo "     $ARCH $name: ExitWindowsEx($got_flags) $dt ms after the action"
  if [ "$got_flags" == "$flags" ] && [ "$dt" -ge "$min" ] && [ "$dt" -le "$max" ]; then pass "$name"
  else flunk "$name" "wanted flags $flags within $min..$max ms, got flags $got_flags after $dt ms"; fi
  local lk adj ex
  lk=$(line_of 'LookupPrivilegeValue[AW](.*SeShutdownPrivilege')
  adj=$(line_of 'advapi32.AdjustTokenPrivileges(')
  ex=$(line_of 'user32.ExitWindowsEx(')
  if [ -n "$lk" ] && [ -n "$adj" ] && [ "$lk" -lt "$adj" ] && [ "$adj" -lt "$ex" ]; then pass "$name: SeShutdownPrivilege enabled first"
  else flunk "$name: SeShutdownPrivilege enabled first" "lookup line ${lk:-none}, adjust ${adj:-none}, exit $ex"; fi
}

check_button_exit() { # name button flags
  fresh_prefix "exit$3"
  trace_on "exit$3"
  PID=$(start_traced)
  trace_off
  if ! drv wait Tarvic 15000 1001; then flunk "$1" "no main window"; return; fi
  local t
  t=$(drv click Tarvic "$2")
  expect_exit "$1" "$3" "$t" 4200 6500
  if drv exited "$PID" 8000; then pass "$1: the program ends"; else flunk "$1: the program ends" "still running"; fi
}

check_command_line_exit() {
  fresh_prefix cmdexit
  trace_on cmdexit
  PID=$(start_traced REBOOT force)
  trace_off
  if ! drv wait PowerOFF 15000; then flunk "exit: REBOOT force" "no PowerOFF dialog"; return; fi
  expect_exit "exit: REBOOT force after the PowerOFF dialog" 6 "$(drv tick)" 2600 3700
  if drv exited "$PID" 8000; then pass "exit: REBOOT force: the program ends"; else flunk "exit: REBOOT force: the program ends" "still running"; fi
}

# Without wineboot Wine cannot carry an exit out, so ExitWindowsEx fails for
# real: the program must say so and stay.
check_refused_exit() {
  fresh_prefix refused
  local overrides=$WINEDLLOVERRIDES
  export WINEDLLOVERRIDES="$overrides;wineboot.exe=d"
  PID=$(start_tarvic)
  if drv wait Tarvic 15000 1001; then
    drv click Tarvic 1017 >/dev/null
    expect_match "exit: a refused exit is told" "^Tarvic Windows refused to restart the computer: .+" \
      "$(drv msgbox 9000 | paste -sd' ')"
    drv msgboxok >/dev/null
    if drv exited "$PID" 1500; then flunk "exit: refused: the program stays" "it ended"
    else pass "exit: refused: the program stays"; fi
    expect "exit: refused: main window back" "normal" "$(drv state Tarvic)"
  else
    flunk "exit: a refused exit is told" "no main window"
  fi
  export WINEDLLOVERRIDES=$overrides
}

check_no_exit() { # name state args...
  local name=$1 state=$2; shift 2
  fresh_prefix noexit
  trace_on noexit
  PID=$(start_traced "$@")
  trace_off
  sleep 6
  expect "$name: no exit request, main window $state" "0 0 $state" \
    "$(exit_calls | wc -l) $(drv count PowerOFF) $(drv state Tarvic)"
}

check_cancel() {
  fresh_prefix cancel
  trace_on cancel
  PID=$(start_traced)
  trace_off
  if ! drv wait Tarvic 15000 1001; then flunk "exit: CANCEL" "no main window"; return; fi
  drv click Tarvic 1017 >/dev/null
  if ! drv wait Tarvic 8000 2002; then flunk "exit: CANCEL" "no countdown dialog"; return; fi
  drv click Tarvic 2002 >/dev/null
  sleep 4
  expect "exit: CANCEL stops the exit, main window back" "0 normal 1" \
    "$(exit_calls | wc -l) $(drv state Tarvic) $(drv count Tarvic)"
  expect "exit: caption after CANCEL" "ok" "$(drv wait Tarvic 1000 1001 && echo ok)"
}

# The layout is in twips: at 96, 120 and 144 dpi the client area and every
# control scale with the display, within a pixel of rounding.
check_dpi() {
  local dpi want got
  for dpi in 96 120 144; do
    fresh_prefix "dpi$dpi"
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
      /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wineserver -k 2>/dev/null; wait_quiet
    if ! up; then flunk "layout at $dpi dpi" "no main window"; continue; fi
    want="$(px 5967 "$dpi") $(px 2158 "$dpi") $(px 1320 "$dpi") $(px 1560 "$dpi") $(px 4920 "$dpi") $(px 1035 "$dpi")"
    got="$(drv client Tarvic) $(drv place Tarvic 1017) $(drv place Tarvic 1015)"
    if near "$want" "$got"; then pass "layout at $dpi dpi"
    else flunk "layout at $dpi dpi" "wanted about [$want] (client, And reboot, Combo2), got [$got] at $(drv dpi) dpi"; fi
  done
}
px() { echo $(( ($1 * $2 + 720) / 1440 )); }
# near "a b ..." "c d ...": every pair within one pixel.
near() {
  local -a w g; read -ra w <<<"$1"; read -ra g <<<"$2"
  [ ${#w[@]} -eq ${#g[@]} ] || return 1
  local i
  for i in "${!w[@]}"; do
    [ $(( w[i] - g[i] )) -ge -1 ] && [ $(( w[i] - g[i] )) -le 1 ] || return 1
  done
}

# --- run ------------------------------------------------------------------------

# E2E_ONLY=word runs only the checks whose line below holds that word.
checks=$(cat <<'LIST'
check_form
check_dpi
check_set_default
check_replace_fails
check_ask_drive
check_nt40
check_button_exit "exit: And reboot with Now" 1017 2
check_button_exit "exit: And pow off with Now" 1018 9
check_command_line_exit
check_no_exit "exit: force alone" normal force
check_no_exit "exit: tray alone" normal tray
check_cancel
check_refused_exit
LIST
)
prepare_demo
echo "     $ARCH prepared in $(( ($(now_ms) - T0) / 1000 )) s"
while read -r line; do
  [[ -z ${E2E_ONLY:-} || $line == *"$E2E_ONLY"* ]] || continue
  eval "$line"
done <<<"$checks"
end_prefix
rm -rf "$DEMO" "$DEMO_BOOT"

echo "     $ARCH took $(( ($(now_ms) - T0) / 1000 )) s"
echo "e2e: $E2E_PASSED passed, $E2E_FAILED failed"
[ "$E2E_FAILED" -eq 0 ]
