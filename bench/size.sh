#!/usr/bin/env bash
# Prints the stripped size and the imported DLLs of Tarvic.exe (and velmo.exe
# when the project has it) for i686 and x86_64, MinSizeRel and static: as
# shipped (win32-thread compilers) and as in the Wine test trees (-posix); the
# bare window is listed as the yardstick.
set -euo pipefail
source "$(dirname "$0")/lib.sh"

targets=(Tarvic bare_window)
[ -d "$ROOT/velmo" ] && targets+=(velmo)

# stripped_size EXE ARCH: bytes after strip, on a copy.
stripped_size() {
  local tmp
  tmp=$(mktemp)
  cp "$1" "$tmp"
  "$2-w64-mingw32-strip" "$tmp"
  stat -c %s "$tmp"
  rm -f "$tmp"
}
imports() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p' | tr '[:upper:]' '[:lower:]' | sort -u | paste -sd' '; }
kb() { awk -v b="$1" 'BEGIN { printf "%.1f", b / 1024 }'; }

printf '%-8s %-7s %-16s %10s %10s  %s\n' arch threads program bytes KB imports
for arch in i686 x86_64; do
  for variant in posix win32; do
    dir=$BB/mingw-$arch
    if [ $variant = win32 ]; then
      dir=$BB/mingw-$arch-win32
      cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel -DTARVIC_BENCH=ON \
            -DMINGW_VARIANT=win32 -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$arch.cmake" >/dev/null
      if ! cmake --build "$dir" -j"$JOBS" --target "${targets[@]}" >"$dir/bench-build.log" 2>&1; then
        echo "$arch win32: build failed, see $dir/bench-build.log"; continue
      fi
    else
      mingw_build "$arch" "${targets[@]}"
    fi
    for t in "${targets[@]}"; do
      exe=$(find "$dir" -maxdepth 3 -name "$t.exe" | head -1)
      [ -n "$exe" ] || continue
      s=$(stripped_size "$exe" "$arch")
      printf '%-8s %-7s %-16s %10s %10s  %s\n' "$arch" "$variant" "$t.exe" "$s" "$(kb "$s")" "$(imports "$exe")"
    done
  done
done
