#!/bin/bash
# Usage: scripts/screenshot.sh OUT.png [--title TEXT] [--wait SECONDS] [-- dolv.exe ARGS]
# Starts dolv.exe on a fresh virtual display, waits until a window whose title
# contains TEXT (default "Dolv") is shown (at most SECONDS, default 20), and
# writes a PNG of the screen. Ends the program and the display afterwards.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:?usage: scripts/screenshot.sh OUT.png [--title TEXT] [--wait SECONDS] [-- ARGS]}
shift
title=Dolv
wait_s=20
while [ $# -gt 0 ]; do
    case $1 in
        --title) title=$2; shift 2 ;;
        --wait) wait_s=$2; shift 2 ;;
        --) shift; break ;;
        *) break ;;
    esac
done
case $out in /*) ;; *) out=$PWD/$out ;; esac

./scripts/setup.sh
source scripts/lib.sh
app_pid=
finish() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    dolv_cleanup
}
trap finish EXIT
dolv_build >/dev/null
dolv_prefix
dolv_display virtual
dolv_wineserver
dolv_window_manager none

wine "$DOLV_BUILD/dolv.exe" "$@" >"$DOLV_BUILD/screenshot-app.log" 2>&1 </dev/null &
app_pid=$!
deadline=$((SECONDS + wait_s))
shown=
while [ $SECONDS -lt $deadline ]; do
    if xwininfo -root -tree 2>/dev/null | grep -F "\"" | grep -qiF "$title"; then
        shown=1
        break
    fi
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.2
done
if [ -z "$shown" ]; then
    echo "screenshot: no window titled \"$title\" appeared; taking the screen as it is" >&2
else
    # Let the window finish its first paint.
    sleep 1
fi
mkdir -p "$(dirname "$out")"
xwd -root -silent -display "$DISPLAY" | convert xwd:- "$out"
echo "screenshot: wrote $out" >&2
