#!/usr/bin/env bash
# Prints the wall time of the full test command (scripts/test.sh), with the
# packages already installed, and of each of its suites as the command
# reports them.
# usage: bench/test_time.sh [build dir, default: the test command's own]
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ $# -ge 1 ] && export TARVIC_BUILD=$1
log=$(mktemp)
t0=$(date +%s%3N)
bash "$root/scripts/test.sh" 2>&1 | while IFS= read -r line; do
  printf '%s %s\n' "$(date +%s%3N)" "$line"
done > "$log"
status=${PIPESTATUS[0]}
t1=$(date +%s%3N)
# Each "=== name" line opens a section that lasts until the next one or the
# end, so a section also holds the builds that run before the next suite.
awk -v t0="$t0" -v t1="$t1" '
  { t = $1; sub(/^[0-9]+ /, "") }
  /^=== / { if (name != "") printf "  %-14s %7.1f s\n", name, (t - start) / 1000; name = substr($0, 5); start = t; if (first == "") first = t }
  END { if (name != "") printf "  %-14s %7.1f s\n", name, (t1 - start) / 1000
        if (first != "") printf "  %-14s %7.1f s\n", "(builds first)", (first - t0) / 1000 }' "$log"
grep -a '^[0-9]* suites:' "$log" | sed 's/^[0-9]* /  /'
echo "scripts/test.sh: $(( (t1 - t0) / 1000 )).$(printf %03d $(( (t1 - t0) % 1000 ))) s wall, exit status $status (log $log)"
