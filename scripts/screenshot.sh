#!/bin/bash
# Usage: scripts/screenshot.sh OUT.png [OPTIONS] [-- dolv.exe ARGS]
# Writes a PNG of what a newcomer sees: dolv.exe as the build makes it, with
# the Language, help and icons folders it ships and no settings.ini, unpacked
# to C:\Dolv of a Wine prefix made anew by the project's set-up, on a virtual
# display of its own. Waits until the main window is shown, then:
#   --lang NAME     chooses the language NAME in the settings window (F12),
#                   as a user does, and closes it again
#   --keys "K ..."  presses these keys (xdotool's names: F12, ctrl+Tab, ...)
#   --type TEXT     types TEXT; --keys and --type are done in their order
#   --window TITLE  waits for the window titled TITLE and takes only it
#                   (default: the whole screen once the main window is up)
#   --top           takes only the topmost window but the main one (for a
#                   window without a title)
#   --screen WxH    the display's size (default 1280x1024)
#   --wait SECONDS  how long to wait for each window (default 20)
# Ends the program, its prefix's processes and the display afterwards.
set -euo pipefail
cd "$(dirname "$0")/.."
usage="usage: scripts/screenshot.sh OUT.png [--lang NAME] [--keys KEYS] [--type TEXT] [--window TITLE | --top] [--screen WxH] [--wait SECONDS] [-- ARGS]"
out=${1:?$usage}
shift
lang=
steps=()
window=
top=
wait_s=20
while [ $# -gt 0 ]; do
    case $1 in
        --lang) lang=$2; shift 2 ;;
        --keys) steps+=(key "$2"); shift 2 ;;
        --type) steps+=(type "$2"); shift 2 ;;
        --window) window=$2; shift 2 ;;
        --top) top=1; shift ;;
        --screen) export DOLV_SCREEN=$2; shift 2 ;;
        --wait) wait_s=$2; shift 2 ;;
        --) shift; break ;;
        *) echo "$usage" >&2; exit 2 ;;
    esac
done
case $out in /*) ;; *) out=$PWD/$out ;; esac

./scripts/setup.sh
source scripts/lib.sh
app_pid=
shot=$DOLV_BUILD/screenshot
finish() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    dolv_cleanup
    # The prefix is some 600 MB; the program's output is kept.
    rm -rf "$shot/wineprefix"
}
trap finish EXIT
trap 'exit 130' INT TERM
dolv_build >/dev/null

# A prefix of its own, made anew each time: nothing a run, a test or an
# earlier picture left behind shows, and a test run may go on meanwhile.
rm -rf "$shot"
export WINEPREFIX=$shot/wineprefix
dolv_prefix
# The program folder as the package has it (the build folder may hold a
# settings.ini and language files rewritten by runs).
app=$WINEPREFIX/drive_c/Dolv
mkdir -p "$app"
cp "$DOLV_BUILD/dolv.exe" "$app/"
cp -r dist/Language dist/help "$DOLV_BUILD/generated/dist/icons" "$app/"

dolv_display virtual
dolv_wineserver
dolv_window_manager none

# Waits until a window whose title contains TITLE is shown and prints its id.
wait_shown() {
    local deadline=$((SECONDS + wait_s)) id
    while [ $SECONDS -lt $deadline ]; do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
        if [ -n "$id" ]; then
            # Let the window finish its first paint.
            sleep 1
            echo "$id"
            return 0
        fi
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.2
    done
    echo "screenshot: no window titled \"$1\" appeared" >&2
    return 1
}
# Waits until a shown window other than ID is on top of the screen and
# prints its id.
wait_top() {
    local deadline=$((SECONDS + wait_s)) id
    while [ $SECONDS -lt $deadline ]; do
        # Topmost first; the program's 1x1 helper windows are never pictures.
        for id in $(xwininfo -root -children 2>/dev/null | awk '$1 ~ /^0x/ && $0 !~ / 1x1\+/ { print $1 }'); do
            xwininfo -id "$id" 2>/dev/null | grep -q IsViewable || continue
            if [ "$((id))" != "$(($1))" ]; then
                sleep 1
                echo "$id"
                return 0
            fi
            break
        done
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.2
    done
    echo "screenshot: no window came on top of the main one" >&2
    return 1
}
# Waits until the window ID is hidden.
wait_hidden() {
    local deadline=$((SECONDS + wait_s))
    while [ $SECONDS -lt $deadline ] && xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; do
        sleep 0.2
    done
}

(cd "$app" && exec wine dolv.exe "$@") >"$shot/app.log" 2>&1 </dev/null &
app_pid=$!
main=$(wait_shown Dolv)
if [ -n "$lang" ]; then
    xdotool key F12
    settings=$(wait_shown Settings)
    # The language box has the focus; its entries are chosen by their first letter.
    xdotool type --delay 100 "${lang:0:1}"
    sleep 1
    xdotool key Escape
    wait_hidden "$settings"
fi
for ((i = 0; i < ${#steps[@]}; i += 2)); do
    if [ "${steps[i]}" = key ]; then
        # shellcheck disable=SC2086
        xdotool key --delay 300 ${steps[i + 1]}
    else
        xdotool type --delay 50 "${steps[i + 1]}"
    fi
    sleep 0.5
done
[ ${#steps[@]} -eq 0 ] || [ -n "$window$top" ] || sleep 1
mkdir -p "$(dirname "$out")"
if [ -n "$window$top" ]; then
    if [ -n "$top" ]; then id=$(wait_top "$main"); else id=$(wait_shown "$window"); fi
    xwd -id "$id" -silent -display "$DISPLAY" | convert xwd:- -strip "$out"
else
    xwd -root -silent -display "$DISPLAY" | convert xwd:- -strip "$out"
fi
echo "screenshot: wrote $out" >&2
