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

# Under Wine most system calls are round trips to the Wine server; on this
# virtual machine, waking the other side on another processor costs more than
# much of the work measured, and how much swings from run to run (a batch of
# icons took 0.06 s on one processor and 0.2 to 0.5 s spread over several).
# So the display, the server and the benchmarks share one processor, the
# idlest when the run starts: DOLV_BENCH_CPU=N picks processor N, and
# DOLV_BENCH_CPU=all leaves them to the scheduler. Both sides of every ratio
# run under the same conditions either way.
idlest_cpu() {
    local before after
    before=$(grep '^cpu[0-9]' /proc/stat)
    sleep 0.5
    after=$(grep '^cpu[0-9]' /proc/stat)
    paste -d ' ' <(echo "$before") <(echo "$after") |
        awk '{ n = NF / 2; idle = $(n + 5) - $5; if (NR == 1 || idle > best) { best = idle; cpu = substr($1, 4) } } END { print cpu }'
}
cpu=${DOLV_BENCH_CPU:-$(idlest_cpu)}
if [ "$cpu" != all ]; then
    taskset -cp "$cpu" $$ >/dev/null
    echo "benchmarks on processor $cpu"
fi
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
