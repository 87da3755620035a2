#!/bin/bash
# Installs what is missing, builds Dolv and its tests, and runs every test
# under Wine on a virtual display. The exit code is the tests', and fails
# too when they left the prefix's classes otherwise than they found them.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
source scripts/lib.sh
dolv_begin
# The classes' keys before the tests: each test removes the keys it made and
# puts back the values it changed, so a user's run of the program meets none.
classes_before=$(dolv_class_state)
dolv_display
dolv_wineserver
dolv_window_manager none
# The tests' Recycle Bin: Wine makes its folders lazily, in a race with the
# first delete of a run, which then skips the bin; made here, it is always there.
mkdir -p "$DOLV_BUILD/xdg-data/Trash/files" "$DOLV_BUILD/xdg-data/Trash/info"
status=0
ctest --test-dir "$DOLV_BUILD" --output-on-failure --timeout 300 "$@" || status=$?
dolv_wineserver_end
dolv_class_check "$classes_before" || status=1
exit "$status"
