#!/usr/bin/env bash
# Fails when a built program imports a DLL that is not part of Windows itself.
set -euo pipefail
allowed='^(kernel32|user32|gdi32|advapi32|shell32|comctl32|comdlg32|winmm|version|msvcrt|ole32|oleaut32|shlwapi)\.dll$'
status=0
for exe in "$@"; do
  dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
  echo "$(basename "$(dirname "$exe")")/$(basename "$exe"): $(echo $dlls)"
  for d in $dlls; do
    if ! [[ $d =~ $allowed ]]; then
      echo "  not a Windows DLL: $d" >&2; status=1
    fi
  done
done
exit $status
