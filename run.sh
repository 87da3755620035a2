#!/bin/bash
# Builds Dolv and runs dolv.exe ARGS under Wine; returns when it ends.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
source scripts/lib.sh
dolv_begin
if [ -z "${DISPLAY:-}" ]; then
    echo "run.sh: no DISPLAY set, using a virtual display" >&2
fi
dolv_display
if [ -n "$DOLV_XVFB_PID" ]; then
    # The prefix's desktop process lives on the virtual display: end the
    # prefix's processes with the display when the program has ended.
    DOLV_WINESERVER_STARTED=1
    dolv_window_manager none
else
    dolv_window_manager managed
fi
wine "$DOLV_BUILD/dolv.exe" "$@"
