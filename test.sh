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
ctest --test-dir "$DOLV_BUILD" --output-on-failure --timeout 300 "$@"
