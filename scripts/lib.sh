# Shared by test.sh, run.sh and scripts/screenshot.sh: build, the project's
# own Wine prefix, a virtual display and a persistent wineserver. Source it
# from the repository root. Everything started here is ended by dolv_cleanup,
# by process id, from an EXIT trap.

DOLV_ROOT=$(pwd)
DOLV_BUILD=${DOLV_BUILD:-$DOLV_ROOT/build}
export WINEPREFIX=$DOLV_BUILD/wineprefix
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko add-on prompts in the prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="

DOLV_XVFB_PID=
DOLV_WINESERVER_STARTED=

# The start every script shares: cleanup on every exit path, then an
# up-to-date build and the project's prefix.
dolv_begin() {
    trap dolv_cleanup EXIT
    trap 'exit 130' INT TERM
    dolv_build
    dolv_prefix
}

dolv_build() {
    if [ ! -f "$DOLV_BUILD/CMakeCache.txt" ]; then
        cmake -S "$DOLV_ROOT" -B "$DOLV_BUILD" \
            -DCMAKE_TOOLCHAIN_FILE="$DOLV_ROOT/cmake/mingw-i686.cmake" \
            -DCMAKE_BUILD_TYPE=Release >/dev/null
    fi
    cmake --build "$DOLV_BUILD" -j"$(nproc)"
}

dolv_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "setup: making the Wine prefix in $WINEPREFIX" >&2
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        wineserver -w
    fi
    # What every Windows has and a new Wine prefix lacks: an .ico file shows
    # its own picture (its class's DefaultIcon is "%1"); without it every icon
    # file is drawn as the same blank document. Checked in the registry file,
    # so a prefix made by an older set-up gets it too, at no cost once it has it.
    if ! dolv_reg_has "$WINEPREFIX/system.reg" 'Software\\Classes\\.ico' '@="icofile"' ||
       ! dolv_reg_has "$WINEPREFIX/system.reg" 'Software\\Classes\\icofile\\DefaultIcon' '@="%1"'; then
        wine reg add 'HKLM\Software\Classes\.ico' /ve /d icofile /f >/dev/null 2>&1 </dev/null
        wine reg add 'HKLM\Software\Classes\.ico' /v 'Content Type' /d image/x-icon /f >/dev/null 2>&1 </dev/null
        wine reg add 'HKLM\Software\Classes\icofile\DefaultIcon' /ve /d '%1' /f >/dev/null 2>&1 </dev/null
        # The registry reaches its file when the prefix's server ends.
        wineserver -w
    fi
    # Wine draws the caption buttons as glyphs of the Marlett font, which
    # every Windows has; without it they show as the letters "0 1 r". Only
    # that font is added: Debian's other Wine fonts would replace the
    # system's font fallback (a Tahoma without the icon pane's star).
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    if [ ! -f "$fonts/marlett.ttf" ] && dolv_marlett; then
        mkdir -p "$fonts"
        cp "$DOLV_BUILD/fonts/marlett.ttf" "$fonts/marlett.ttf"
    fi
}

# Unpacks marlett.ttf from Debian's fonts-wine package into
# $DOLV_BUILD/fonts, once per build folder; the package is not installed.
dolv_marlett() {
    local dir="$DOLV_BUILD/fonts" tmp
    [ -f "$dir/marlett.ttf" ] && return 0
    mkdir -p "$dir"
    if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
        cp /usr/share/wine/fonts/marlett.ttf "$dir/marlett.ttf"
        return 0
    fi
    tmp=$(mktemp -d "$dir/fonts-wine.XXXXXX")
    if (cd "$tmp" && apt-get download -qq fonts-wine >/dev/null 2>&1) &&
       dpkg-deb -x "$tmp"/fonts-wine_*.deb "$tmp/x" &&
       mv "$tmp/x/usr/share/wine/fonts/marlett.ttf" "$dir/marlett.ttf"; then
        rm -rf "$tmp"
        return 0
    fi
    rm -rf "$tmp"
    echo "setup: the Marlett font of Debian's fonts-wine could not be had; caption buttons show as letters" >&2
    return 1
}

# dolv_reg_has FILE KEY LINE: whether the key [KEY] of a Wine registry file
# (names as the file writes them, backslashes doubled) holds the line LINE.
dolv_reg_has() {
    DOLV_KEY="[$2]" DOLV_LINE=$3 awk '
        BEGIN { key = ENVIRON["DOLV_KEY"]; line = ENVIRON["DOLV_LINE"] }
        index($0, "[") == 1 { inside = index($0, key " ") == 1 || $0 == key }
        inside && $0 == line { found = 1 }
        END { exit !found }' "$1"
}

# Starts Xvfb when DISPLAY is unset (or when $1 is "virtual") and waits until
# it accepts clients; its size is DOLV_SCREEN (default 1280x1024). Several
# builds may start displays at once, so a number that turns out to be taken
# is skipped.
dolv_display() {
    if [ -n "${DISPLAY:-}" ] && [ "${1:-}" != virtual ]; then
        return 0
    fi
    local n i
    for n in $(seq 90 150); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 "${DOLV_SCREEN:-1280x1024}x24" -nolisten tcp >/dev/null 2>&1 &
        DOLV_XVFB_PID=$!
        for i in $(seq 1 100); do
            if [ -e "/tmp/.X11-unix/X$n" ] && kill -0 "$DOLV_XVFB_PID" 2>/dev/null; then
                export DISPLAY=":$n"
                return 0
            fi
            kill -0 "$DOLV_XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$DOLV_XVFB_PID" 2>/dev/null || true
        wait "$DOLV_XVFB_PID" 2>/dev/null || true
        DOLV_XVFB_PID=
    done
    echo "no virtual display could be started" >&2
    return 1
}

dolv_wineserver() {
    # A persistent server makes each Wine start ~0.1 s instead of seconds.
    # Its output goes to a file: a pipe would keep callers waiting.
    if ! wineserver -p >"$DOLV_BUILD/wineserver.log" 2>&1; then
        echo "a wineserver already runs for $WINEPREFIX: another run uses this build; wait for it to end" >&2
        return 1
    fi
    DOLV_WINESERVER_STARTED=1
    # The first Wine program starts the prefix's services and the desktop
    # process, which inherit its standard handles and outlive it. Started
    # here with their output in a file, they never hold a test's pipe open
    # (CTest would wait for them until the timeout).
    wine cmd /c exit >"$DOLV_BUILD/wine-services.log" 2>&1 </dev/null
}

# Without a window manager (the virtual display) Wine waits two seconds for
# one to withdraw each hidden window: there, windows are left unmanaged. On a
# real display with a window manager they must be managed, or they lose their
# frames. The setting is read by each Wine process when it starts.
dolv_window_manager() {
    if [ "$1" = none ]; then
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
    else
        wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 </dev/null || true
    fi
}

# Ends the prefix's server and its programs; the registry reaches its files then.
dolv_wineserver_end() {
    if [ -n "$DOLV_WINESERVER_STARTED" ]; then
        wineserver -k >/dev/null 2>&1 || true
        wineserver -w >/dev/null 2>&1 || true
        DOLV_WINESERVER_STARTED=
    fi
}

# What the prefix's registry files hold under Software\Classes, the machine's
# and the user's (what the classes root shows a user), sorted: a line "K" TAB
# name for each key, and "V" TAB name TAB line for each line of its values.
# The files hold the registry only while no server runs. A key that has
# subkeys and no values is written only within their names.
dolv_class_state() {
    local file label
    for file in system user; do
        label=HKLM
        [ "$file" = user ] && label=HKCU
        awk -v label="$label" '
            index($0, "[") == 1 {
                key = ""
                if (index($0, "[Software\\\\Classes\\\\") != 1) next
                line = substr($0, 2)
                sub(/\] [0-9]+$/, "", line)
                n = split(line, parts, /\\\\/)
                path = label
                for (i = 1; i <= n; i++) {
                    path = path "\\" parts[i]
                    if (i >= 3) print "K\t" path
                }
                key = path
                next
            }
            key != "" && $0 != "" && index($0, "#time=") != 1 { print "V\t" key "\t" $0 }
        ' "$WINEPREFIX/$file.reg"
    done | LC_ALL=C sort -u
}

# dolv_class_check BEFORE: fails, naming them, when keys under the classes
# were made, changed or taken away since BEFORE (what dolv_class_state gave).
dolv_class_check() {
    local after made gone changed
    after=$(dolv_class_state)
    made=$(LC_ALL=C comm -13 <(printf '%s\n' "$1" | grep '^K') <(printf '%s\n' "$after" | grep '^K') | cut -f2)
    gone=$(LC_ALL=C comm -23 <(printf '%s\n' "$1" | grep '^K') <(printf '%s\n' "$after" | grep '^K') | cut -f2)
    changed=$(LC_ALL=C comm -3 <(printf '%s\n' "$1" | grep '^V') <(printf '%s\n' "$after" | grep '^V') |
        sed 's/^\t//' | cut -f2 | LC_ALL=C sort -u |
        LC_ALL=C comm -23 - <(printf '%s\n%s\n' "$made" "$gone" | LC_ALL=C sort -u))
    [ -z "$made$gone$changed" ] && return 0
    dolv_class_tell "made by the tests and left" "$made"
    dolv_class_tell "there before and taken away by the tests" "$gone"
    dolv_class_tell "whose values the tests changed and did not put back" "$changed"
    return 1
}

dolv_class_tell() {
    [ -z "$2" ] && return 0
    echo "Keys of the prefix's classes $1:" >&2
    printf '%s\n' "$2" | sed 's/^/  /' >&2
}

dolv_cleanup() {
    dolv_wineserver_end
    if [ -n "$DOLV_XVFB_PID" ]; then
        kill "$DOLV_XVFB_PID" 2>/dev/null || true
        wait "$DOLV_XVFB_PID" 2>/dev/null || true
        DOLV_XVFB_PID=
    fi
}
