#!/usr/bin/env bash
# Regenerates docs/form1.png: the main window on the demonstration machine,
# under Xvfb with the Japanese font. Run by hand after the window changes.
# usage: e2e/screenshot.sh [mingw build dir]   (default build/mingw-i686)
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(dirname "$HERE")
BUILD=$(cd "${1:-$ROOT/build/mingw-i686}" && pwd)
WORK=$(mktemp -d /tmp/tarvic-shot.XXXXXX)
# shellcheck source=scripts/wine-env.sh
source "$ROOT/scripts/wine-env.sh"
# shellcheck source=scripts/demo-setup.sh
source "$ROOT/scripts/demo-setup.sh"

cleanup() {
  WINEPREFIX=$WORK/prefix wineserver -k 2>/dev/null || true
  stop_xvfb
  rm -rf "$WORK"
}
trap cleanup EXIT

start_xvfb
make_prefix "$WORK/prefix"
demo_setup "$WORK/prefix" "$BUILD" "$WORK/boot"
export WINEPREFIX=$WORK/prefix
# Marks the first run as done, so that no help page covers the window.
printf '[app]\r\nopen=1\r\n' > "$WINEPREFIX/drive_c/Program Files/Tarvic/Tarvic.ini"
drv() { wine "$BUILD/e2e/tarvic_driver.exe" "$@" 2>/dev/null | tr -d '\r'; }
wine "$BUILD/e2e/tarvic_driver.exe" start 'C:\Program Files\Tarvic\Tarvic.exe' >"$WORK/start.out"
drv wait Tarvic 20000 1001
sleep 1 # the clock label and the fonts settle
id=$(xdotool search --name '^Tarvic$' | head -1)
import -window "$id" "$ROOT/docs/form1.png"
echo "wrote $ROOT/docs/form1.png"
