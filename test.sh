#!/bin/bash
# Installs what is missing, builds Dolv and its tests, and runs every test
# under Wine on a virtual display. The exit code is the tests'.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
source scripts/lib.sh
dolv_begin
dolv_display
dolv_wineserver
dolv_window_manager none
# The tests' Recycle Bin: Wine makes its folders lazily, in a race with the
# first delete of a run, which then skips the bin; made here, it is always there.
mkdir -p "$DOLV_BUILD/xdg-data/Trash/files" "$DOLV_BUILD/xdg-data/Trash/info"
ctest --test-dir "$DOLV_BUILD" --output-on-failure --timeout 300 "$@"
