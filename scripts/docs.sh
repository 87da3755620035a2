#!/bin/bash
# Retakes every picture of README.md into docs/: each is what ./run.sh shows a
# newcomer (scripts/screenshot.sh: a prefix made anew, no settings), reached
# by the keys a user presses. The settings window is shown after choosing the
# Russian language, the rest in the built-in English.
set -euo pipefail
cd "$(dirname "$0")/.."
shot() { scripts/screenshot.sh "docs/$1" --screen 1024x640 "${@:2}"; }

shot main.png
shot special.png --keys "ctrl+Tab Tab Tab Tab" --type 'C:\windows\system32\shell32.dll' --keys 'Return Tab'
shot settings.png --lang Russian --keys F12 --top
shot about.png --keys F1 --top
shot chooser.png --keys ctrl+shift+q --top
# The element pane in C:\windows, the icon pane on the icons base.
shot listview.png --keys "Down Return End Return"
shot message.png --keys ctrl+Return --top
shot rename.png --keys "Down Return Down F2" --top
