#!/bin/bash
# Builds Dolv and runs every benchmark under bench/ under Wine, in the
# project's prefix on a virtual display. Each prints its table, then one line
# per measured ratio: "ratio NAME VALUE GOAL", met when VALUE <= GOAL.
# The exit code is 1 when a benchmark failed or a ratio missed its goal.
#
#   scripts/bench.sh [NAME...]     (names without "bench_", e.g. msgbox)
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
dolv_begin
dolv_display virtual
dolv_wineserver
dolv_window_manager none

status=0
if [ $# -gt 0 ]; then
    programs=()
    for name in "$@"; do programs+=("$DOLV_BUILD/bench/bench_$name.exe"); done
else
    programs=("$DOLV_BUILD"/bench/bench_*.exe)
fi
for exe in "${programs[@]}"; do
    echo "== $(basename "$exe" .exe)"
    out=$(wine "$exe" </dev/null 2>&1) || { echo "$out"; echo "FAILED: $exe" >&2; status=1; continue; }
    echo "$out"
    # A missed goal fails the run.
    if echo "$out" | awk '$1 == "ratio" && ($3 + 0 > $4 + 0) { bad = 1 } END { exit !bad }'; then
        echo "goal missed in $(basename "$exe")" >&2
        status=1
    fi
done
exit $status
