#!/bin/bash
# The keyboard benchmark's folders: the list view benchmark's 1,000- and
# 100,000-entry folders.
#
#   bench/keys_setup.sh DIR
set -euo pipefail
root=${1:?usage: bench/keys_setup.sh DIR}
here=$(cd "$(dirname "$0")" && pwd)
set -- $("$here/listview_setup.sh" "$(dirname "$root")/listview")
echo "$1 $3"
