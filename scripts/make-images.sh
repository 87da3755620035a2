#!/bin/bash
# Makes the program's command images and its default icons from the Tango
# icon library (Debian's tango-icon-theme, public domain):
#   OUT/images/<strip>_<size>.bmp  one 32-bit strip with alpha per image list
#                                  and size, images side by side
#   OUT/images.rc                  the strips as BITMAP resources
#   OUT/dist/icons/*.ico           the starter icons base, 16 to 256 pixels
# Any missing tool or source picture stops the build with a message: an empty
# or partial image would otherwise only show up as a blank button.
# Usage: make-images.sh OUT
set -euo pipefail

out=${1:?usage: make-images.sh OUT}
tango=${TANGO_DIR:-/usr/share/icons/Tango}

die() { echo "make-images: $*" >&2; exit 1; }

for tool in convert identify rsvg-convert; do
    command -v "$tool" >/dev/null 2>&1 || die "$tool is missing (scripts/setup.sh installs it)"
done
[ -d "$tango/16x16" ] || die "the Tango icon library is missing in $tango (scripts/setup.sh installs tango-icon-theme)"

# Strips: the order is the image index the program uses (PaneImage, MainImage,
# MessageImage, ChooserImage beside the windows; the lengths in CommandImages.h).
pane=(
    actions/go-jump                 # 0  Execute
    apps/accessories-text-editor    # 1  Rename
    actions/edit-delete             # 2  Delete
    actions/folder-new              # 3  New folder
    actions/document-new            # 4  New txt
    actions/edit-copy               # 5  Copy
    actions/edit-cut                # 6  Cut
    actions/edit-paste              # 7  Paste
    mimetypes/x-office-spreadsheet  # 8  Table
    mimetypes/image-x-generic       # 9  Icons
    actions/format-justify-fill     # 10 Cols
    actions/format-justify-left     # 11 Rows
    actions/edit-find               # 12 Show hide
    apps/system-file-manager        # 13 Open in explorer
    actions/view-refresh            # 14 Refresh
    actions/document-properties     # 15 Properties
    places/folder                   # 16 Folders: application, desktop, my computer
)
main=(
    actions/go-previous             # 0  Iconize do: the icon goes to the element on the left
    actions/edit-clear              # 1  Iconize de
    apps/preferences-desktop-theme  # 2  Special iconize
    emblems/emblem-favorite         # 3  Icons base
    actions/document-open           # 4  Icons base: open new
    actions/bookmark-new            # 5  Icons base: current path
    categories/preferences-system   # 6  Settings
    status/dialog-information       # 7  About
    apps/help-browser               # 8  Help
    apps/internet-web-browser       # 9  Program site
    apps/system-file-manager        # 10 Open in explorer
    actions/view-fullscreen         # 11 Maximize
    actions/system-log-out          # 12 Close
    mimetypes/text-x-generic        # 13 Open settings.ini
    apps/preferences-desktop-locale # 14 Open language file
    apps/preferences-desktop-font   # 15 Transparent font
)
message=(
    actions/edit-copy               # 0  Copy
    actions/edit-select-all         # 1  Select all
    mimetypes/x-office-document     # 2  Copy all
)
chooser=(
    actions/go-jump                 # 0  OK
)
strip_sizes=(16 24 32)

# The icons base: file name and source picture.
icons=(
    folder:places/folder
    folder-open:status/folder-open
    folder-remote:places/folder-remote
    folder-search:places/folder-saved-search
    desktop:places/user-desktop
    home:places/user-home
    trash:places/user-trash
    network:places/network-workgroup
    computer:devices/computer
    server:places/network-server
    drive-harddisk:devices/drive-harddisk
    drive-optical:devices/drive-optical
    drive-removable:devices/drive-removable-media
    media-floppy:devices/media-floppy
    media-flash:devices/media-flash
    media-optical:devices/media-optical
)

source_png() {
    local f="$tango/$1x$1/$2.png"
    [ -f "$f" ] || die "missing source picture $f"
    echo "$f"
}

# Fails unless FILE is W x H and has at least one visible pixel.
check_picture() {
    local file=$1 w=$2 h=$3 got visible
    got=$(identify -format '%wx%h' "$file[0]") || die "cannot read $file"
    [ "$got" = "${w}x$h" ] || die "$file is $got, not ${w}x$h"
    visible=$(convert "$file[0]" -alpha extract -format '%[fx:maxima]' info:) || die "cannot read $file"
    [ "$visible" != 0 ] || die "$file has no visible pixel"
}

mkdir -p "$out/images" "$out/dist/icons"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

rc="$tmp/images.rc"
echo "// Made by scripts/make-images.sh from the Tango icon library." >"$rc"
for strip in pane main message chooser; do
    declare -n list=$strip
    for size in "${strip_sizes[@]}"; do
        files=()
        for name in "${list[@]}"; do files+=("$(source_png "$size" "$name")"); done
        bmp="$out/images/${strip}_$size.bmp" made="$tmp/${strip}_$size.bmp"
        # Each picture is put on a transparent canvas of exactly the strip's
        # size, so that one odd source cannot shift the images after it.
        convert -background none "${files[@]}" -gravity center -extent "${size}x$size" +append \
            -define bmp3:alpha=true "BMP3:$made" || die "convert failed for $bmp"
        check_picture "$made" $((size * ${#list[@]})) "$size"
        mv "$made" "$bmp"
        echo "CMDIMG_${strip^^}_$size BITMAP \"$bmp\"" >>"$rc"
    done
    unset -n list
done
mv "$rc" "$out/images.rc"

for entry in "${icons[@]}"; do
    file=${entry%%:*} name=${entry#*:}
    svg="$tango/scalable/$name.svg"
    [ -f "$svg" ] || die "missing source picture $svg"
    layers=()
    for size in 16 24 32; do layers+=("$(source_png "$size" "$name")"); done
    for size in 48 256; do
        rsvg-convert -w "$size" -h "$size" "$svg" -o "$tmp/$file-$size.png" || die "rsvg-convert failed for $svg"
        layers+=("$tmp/$file-$size.png")
    done
    ico="$out/dist/icons/$file.ico" made="$tmp/$file.ico"
    convert -background none "${layers[@]}" -define png:exclude-chunks=date,time "ICO:$made" \
        || die "convert failed for $ico"
    check_picture "$made" 16 16
    mv "$made" "$ico"
done
