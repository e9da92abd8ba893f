# Sourced by the test and demo scripts: a private X display and Wine prefixes.
# shellcheck shell=bash

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Starts Xvfb on a free display unless one is given in TARVIC_DISPLAY.
start_xvfb() {
  if [ -n "${TARVIC_DISPLAY:-}" ]; then export DISPLAY=$TARVIC_DISPLAY; return; fi
  local n
  for n in $(seq 90 140); do
    [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] && continue
    Xvfb :$n -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
    export DISPLAY=:$n
    return
  done
  echo "no free X display" >&2; return 1
}

stop_xvfb() { [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null; true; }

# make_prefix DIR: a fresh 64-bit prefix (it runs 32-bit programs too) with a
# Japanese font standing in for the interface's fonts. Windows are not left to
# a window manager: without one on Xvfb, Wine waits on every hide.
make_prefix() {
  local dir=$1
  rm -rf "$dir"; mkdir -p "$(dirname "$dir")"
  WINEPREFIX=$dir wineboot -i >/dev/null 2>&1 || true
  WINEPREFIX=$dir wineserver -w
  # Debian's Wine does not find its own interface fonts (Tahoma, and Marlett
  # for the caption buttons) unless they are in the prefix.
  cp /usr/share/wine/fonts/{tahoma,tahomabd,marlett}.ttf "$dir/drive_c/windows/Fonts/" 2>/dev/null || true
  local jp="Noto Sans CJK JP"
  # A UTF-16 .reg file, so the Japanese names survive whatever the locale.
  cat > "$dir/fonts.reg.utf8" <<REG
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]
"ＭＳ ゴシック"="$jp"
"ＭＳ Ｐゴシック"="$jp"
"MS Gothic"="$jp"
"MS PGothic"="$jp"
"MS UI Gothic"="$jp"

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="N"

REG
  { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$dir/fonts.reg.utf8"; } > "$dir/fonts.reg"
  WINEPREFIX=$dir wine regedit /S "$dir/fonts.reg" >/dev/null 2>&1 || true
  WINEPREFIX=$dir wineserver -w
}

# copy_prefix FROM TO: a throw-away copy of a prepared prefix.
copy_prefix() { rm -rf "$2"; cp -a "$1" "$2"; }
