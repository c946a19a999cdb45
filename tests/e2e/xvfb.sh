# SPDX-FileCopyrightText: 2026 The Quillop developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Shared by the end-to-end scripts: a private X server, helpers to read
# what is on it. Source it, then call start_x.

start_x() { # width height
    X_SIZE="$1 $2"
    # The server picks a free display itself and says which, so two runs at
    # once never share one. A server that does not stay up is started again.
    local said attempt
    for attempt in 1 2 3; do
        said=$(mktemp)
        Xvfb -displayfd 5 -screen 0 "${1}x${2}x24" -nolisten tcp 5>"$said" >>"${XVFB_LOG:-/dev/null}" 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 1 200); do
            if [ -s "$said" ]; then
                DISPLAY=":$(head -n 1 "$said")"
                export DISPLAY
                if xdpyinfo >/dev/null 2>&1 && sleep 0.3 && kill -0 "$XVFB_PID" 2>/dev/null &&
                    xdpyinfo >/dev/null 2>&1; then
                    rm -f "$said"
                    return 0
                fi
            fi
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.05
        done
        rm -f "$said"
        stop_x
        echo "Xvfb did not stay up (attempt $attempt)" >&2
    done
    return 1
}

# A fresh work folder, a private X server and a data folder of the
# program's own, all ended or left behind when the script ends.
start_session() { # work-folder width height
    rm -rf "$1"
    mkdir -p "$1"
    start_x "$2" "$3"
    trap 'kill "${APP_PID:-}" "${WM_PID:-}" 2>/dev/null || true; stop_x' EXIT
    export XDG_DATA_HOME="$1/data"
}

# Starts a window manager (WM_PID) and waits up to 20 s until it has taken
# the screen; one the fresh server refused is started again.
start_wm() { # log command...
    local log=$1 attempt
    shift
    for attempt in 1 2 3; do
        "$@" >>"$log" 2>&1 &
        WM_PID=$!
        for _ in $(seq 1 200); do
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
            kill -0 "$WM_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$WM_PID" 2>/dev/null || true
        echo "$1 did not take the screen (attempt $attempt)" >&2
    done
    fail "$1 did not start: $(tail -n 3 "$log")"
}

# Starts the program in the background (APP_PID) with its output in the log.
# When it cannot reach the server (on this machine a fresh server now and
# then refuses its first client), the server and the program start again.
start_program() { # log command...
    local log=$1 attempt
    shift
    for attempt in 1 2 3; do
        "$@" >"$log" 2>&1 &
        APP_PID=$!
        sleep 1
        if kill -0 "$APP_PID" 2>/dev/null || ! grep -q "could not connect to display" "$log"; then
            return 0
        fi
        echo "the program could not reach $DISPLAY (attempt $attempt); starting X again" >&2
        stop_x
        # shellcheck disable=SC2086
        start_x $X_SIZE
    done
    return 1
}

# Ends the server and waits until it is gone: a server still shutting down
# would remove the socket of the next one that takes its display.
stop_x() {
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    fi
}

# The id of the first visible window with this exact title, waiting up to 30 s.
wait_for_window() { # title
    # Up to 30 s: a sanitizer build on a loaded machine can take that long.
    local id deadline=$((SECONDS + 30))
    while [ "$SECONDS" -lt "$deadline" ]; do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.05
    done
    return 1
}

# Waits up to 10 s for the window to have the keyboard, so what is typed
# next reaches it.
wait_for_focus() { # window id
    local deadline=$((SECONDS + 10))
    until [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.05
    done
}

# "r g b" of one pixel of a screenshot.
pixel() { # file x y
    convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | tail -n 1 |
        sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1 \2 \3/'
}

# One hard drop into the game window; a cleared well ends the level, and its
# notice goes on with Space.
drop() {
    local notice
    notice=$(xdotool search --onlyvisible --name '^Quillop$' 2>/dev/null | head -n 1 || true)
    if [ -n "$notice" ]; then
        xdotool windowfocus "$notice" 2>/dev/null || true
        xdotool key space
    else
        # The game has the keyboard itself; focusing it here could take the
        # keyboard from a name window that has just opened.
        xdotool key shift+Down
    fi
}

# Where the player clicks, in the game's pixels from a window's corner: the
# menu's items, Ok at the foot of a window, Yes in a question over a
# full-size window, and the controls window's Left box.
spot() { # name
    case $1 in
    continue) echo "381 326" ;;
    new-game) echo "381 374" ;;
    high-scores) echo "381 422" ;;
    instructions) echo "381 470" ;;
    options) echo "381 518" ;;
    exit) echo "381 566" ;;
    credits) echo "436 30" ;;
    ok) echo "240 564" ;;
    yes) echo "146 333" ;;
    left-box) echo "342 443" ;;
    *) fail "no spot named $1" ;;
    esac
}

# A click on a named spot of the window whose corner is at X, Y; SCALE
# screen pixels to a game pixel (1 unless told).
click_spot() { # name
    local sx sy
    read -r sx sy <<<"$(spot "$1")"
    xdotool mousemove $((X + ${SCALE:-1} * sx)) $((Y + ${SCALE:-1} * sy)) sleep 0.1 click 1
}

# Waits up to 10 s (a sanitizer build on a busy machine is slow to end) for
# the program to end after what ended it, and checks it ended well.
expect_end() { # pid what
    local status=0
    for _ in $(seq 1 100); do
        kill -0 "$1" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$1" 2>/dev/null && fail "$2 did not end the program"
    wait "$1" || status=$?
    [ "$status" -eq 0 ] || fail "after $2 the program ended with status $status"
}

# Skips a Wayland test (77) where Qt has no Wayland platform.
require_qt_wayland() {
    ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 || {
        echo "Qt's Wayland platform is not installed: skipped"
        exit 77
    }
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
