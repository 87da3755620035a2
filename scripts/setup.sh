#!/bin/bash
# Installs what a fresh Debian machine lacks to build and run Dolv: the i686
# MinGW-w64 toolchain, CMake, GoogleTest sources, 32-bit Wine, a virtual X
# display, ImageMagick, an SVG renderer and the Tango icon library (the
# build makes the command images and the icons base from it), and the X
# tools the screenshots use. Does nothing (and runs no apt at all) when
# every tool is already there.
set -euo pipefail

need=()
have() { command -v "$1" >/dev/null 2>&1; }
pkg_installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

have i686-w64-mingw32-g++-posix || need+=(g++-mingw-w64-i686-posix)
have i686-w64-mingw32-gcc-posix || need+=(gcc-mingw-w64-i686-posix)
have i686-w64-mingw32-windres   || need+=(binutils-mingw-w64-i686)
have cmake                      || need+=(cmake)
[ -f /usr/src/googletest/CMakeLists.txt ] || need+=(googletest)
have wine                       || need+=(wine)
pkg_installed wine32:i386       || need+=(wine32:i386)
have Xvfb                       || need+=(xvfb)
have xauth                      || need+=(xauth)
pkg_installed imagemagick       || need+=(imagemagick)
have rsvg-convert               || need+=(librsvg2-bin)
pkg_installed tango-icon-theme  || need+=(tango-icon-theme)
pkg_installed x11-apps          || need+=(x11-apps)   # xwd, for screenshots
pkg_installed x11-utils         || need+=(x11-utils)  # xwininfo, to wait for a window
pkg_installed xdotool           || need+=(xdotool)    # keys for screenshots of the program's windows
# The prefix takes only the caption buttons' font out of Debian's fonts-wine
# (scripts/lib.sh), by apt-get download: apt must know the package.
lists=
if [ ! -f /usr/share/wine/fonts/marlett.ttf ] && ! compgen -G '/var/lib/apt/lists/*_Packages*' >/dev/null; then
    lists=1
fi

if [ ${#need[@]} -eq 0 ] && [ -z "$lists" ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    SUDO=sudo
else
    SUDO=
fi

echo "setup: installing ${need[*]:-nothing, reading the package lists}" >&2
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
$SUDO apt-get update -qq </dev/null
if [ ${#need[@]} -gt 0 ]; then
    $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" </dev/null >/dev/null
fi
echo "setup: done" >&2
