#!/bin/bash
# Builds Dolv and runs dolv.exe ARGS under Wine; returns when it ends.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh
source scripts/lib.sh
trap dolv_cleanup EXIT
trap 'exit 130' INT TERM
dolv_build
dolv_prefix
if [ -z "${DISPLAY:-}" ]; then
    echo "run.sh: no DISPLAY set, using a virtual display" >&2
fi
dolv_display
wine "$DOLV_BUILD/dolv.exe" "$@"
