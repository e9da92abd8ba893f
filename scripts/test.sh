#!/usr/bin/env bash
# Builds everything and runs every test: native (simulated Windows, with
# sanitizers), the same contract and event-rule cases under 32- and 64-bit
# Wine, the import check, the end-to-end tests of the real programs, and a
# short run of each fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
B=${TARVIC_BUILD:-$root/build}
jobs=${TARVIC_JOBS:-2}
fuzz_seconds=${TARVIC_FUZZ_SECONDS:-10}

bash scripts/install-deps.sh

results=()
run_step() { # name command...
  local name=$1; shift
  echo "=== $name"
  if "$@"; then results+=("pass:$name"); else results+=("FAIL:$name"); fi
}

cmake -S . -B "$B/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$B/native" -j"$jobs"
run_step native ctest --test-dir "$B/native" --output-on-failure -j"$jobs" --timeout 300

# Per architecture two trees: the programs (win32 thread variant) and the
# test programs that run under Wine (posix variant, which GoogleTest needs).
for arch in i686 x86_64; do
  cmake -S . -B "$B/mingw-$arch" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel -DMINGW_VARIANT=win32 \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" >/dev/null
  cmake --build "$B/mingw-$arch" -j"$jobs"
  cmake -S . -B "$B/mingw-$arch-tests" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel -DMINGW_VARIANT=posix \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" >/dev/null
  cmake --build "$B/mingw-$arch-tests" -j"$jobs"
done

exes=$(find "$B"/mingw-* -maxdepth 3 -name '*.exe' -not -path '*/CMakeFiles/*')
run_step imports bash scripts/check-imports.sh $exes

# shellcheck source=scripts/wine-env.sh
source scripts/wine-env.sh
start_xvfb
trap stop_xvfb EXIT
make_prefix "$B/wine/base"
for arch in i686 x86_64; do
  copy_prefix "$B/wine/base" "$B/wine/ctest-$arch"
  run_step "wine-$arch" env WINEPREFIX="$B/wine/ctest-$arch" \
    ctest --test-dir "$B/mingw-$arch-tests" --output-on-failure --timeout 300
  WINEPREFIX="$B/wine/ctest-$arch" wineserver -k 2>/dev/null || true
done

if [ -x e2e/run.sh ]; then
  for arch in i686 x86_64; do
    run_step "e2e-$arch" e2e/run.sh "$B/mingw-$arch" "$B/wine/base" "$B/wine/e2e-$arch"
  done
fi

if ls tests/fuzz/*.cpp >/dev/null 2>&1; then
  CC=clang CXX=clang++ cmake -S . -B "$B/fuzz" -G Ninja -DTARVIC_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$B/fuzz" -j"$jobs" --target $(for f in tests/fuzz/*.cpp; do basename "$f" .cpp; done)
  fuzz_one() { # name
    mkdir -p "$B/fuzz/corpus-$1"
    "$B/fuzz/tests/$1" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 \
      "$B/fuzz/corpus-$1" >/dev/null 2>"$B/fuzz/$1.log" || { tail -30 "$B/fuzz/$1.log"; return 1; }
  }
  for f in tests/fuzz/*.cpp; do
    run_step "fuzz-$(basename "$f" .cpp)" fuzz_one "$(basename "$f" .cpp)"
  done
fi

pass=0; fail=0
for r in "${results[@]}"; do
  case $r in pass:*) pass=$((pass+1));; *) fail=$((fail+1)); echo "failed: ${r#FAIL:}";; esac
done
echo "suites: $pass passed, $fail failed"
[ "$fail" -eq 0 ]
