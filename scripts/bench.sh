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
# A benchmark that needs its data made first has bench/NAME_setup.sh: it makes
# the data under build/benchdata with the shell's tools (far cheaper than
# through Wine) and prints the arguments to pass, as Unix paths.
data="$DOLV_BUILD/benchdata"
for exe in "${programs[@]}"; do
    name=$(basename "$exe" .exe)
    echo "== $name"
    args=()
    setup="bench/${name#bench_}_setup.sh"
    if [ -x "$setup" ]; then
        mkdir -p "$data"
        for p in $("$setup" "$data/${name#bench_}"); do args+=("$(winepath -w "$p")"); done
    fi
    out=$(wine "$exe" "${args[@]}" </dev/null 2>&1) || { echo "$out"; echo "FAILED: $exe" >&2; status=1; continue; }
    echo "$out"
    # A missed goal fails the run.
    if echo "$out" | awk '$1 == "ratio" && ($3 + 0 > $4 + 0) { bad = 1 } END { exit !bad }'; then
        echo "goal missed in $(basename "$exe")" >&2
        status=1
    fi
done
exit $status
