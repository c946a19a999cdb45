#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quillop developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The real program under a headless KWin (kwin_wayland --virtual) on its
# XWayland, the game's choice there: the checks of the sway test, played
# with xdotool through the X server (XTEST reaches the X windows, which is
# all the game has there), KWin's X window manager telling where the
# windows stand, which is on top and which has the keys. Not run by CI: it
# needs kwin-wayland (hundreds of megabytes). Prints one line per check and
# exits non-zero if any failed.
#
#   kwin_e2e.sh <path to quillop> <work folder>
set -uo pipefail
program=$(realpath "$1")
out=$(realpath -m "$2")

if [ "${KWIN_E2E_INSIDE:-}" != 1 ]; then
    command -v kwin_wayland >/dev/null || { echo "kwin_wayland is not installed: skipped"; exit 77; }
    rm -rf "$out"
    mkdir -p "$out/run" "$out/home"
    chmod 700 "$out/run"
    # A copy drops the file capabilities that a container may refuse to grant.
    cp "$(command -v kwin_wayland)" "$out/kwin_wayland"
    export XDG_RUNTIME_DIR="$out/run" HOME="$out/home" XDG_DATA_HOME="$out/home/data" KWIN_E2E_INSIDE=1
    # KWin starts the checks itself, with the displays it made.
    dbus-run-session -- "$out/kwin_wayland" --virtual --xwayland --width 1280 --height 1024 \
        --exit-with-session "bash $(realpath "$0") $program $out" >"$out/kwin.log" 2>&1
    cat "$out/checks.log" 2>/dev/null
    exit "$(cat "$out/status" 2>/dev/null || echo 1)"
fi

exec >"$out/checks.log" 2>&1
echo 1 >"$out/status"
app_pid=""
trap '[ -z "$app_pid" ] || kill "$app_pid" 2>/dev/null' EXIT

# "title x y width height focused id" of each of the game's windows, bottom first.
windows() {
    local id
    for id in $(xprop -root _NET_CLIENT_LIST_STACKING | tr -d ',' | cut -d'#' -f2); do
        local name
        name=$(xprop -id "$id" _NET_WM_NAME 2>/dev/null | cut -d'"' -f2)
        case "$name" in Quillop*) ;; *) continue ;; esac
        eval "$(xdotool getwindowgeometry --shell "$id")"
        local focus=0
        [ "$(xdotool getwindowfocus)" = "$((id))" ] && focus=1
        echo "${name// /_} $X $Y $WIDTH $HEIGHT $focus $id"
    done
}
wait_for() { # title width: sets X Y W H FOCUS ID once the window stands still
    local deadline=$((SECONDS + 20)) at last=""
    while [ $SECONDS -lt $deadline ]; do
        at=$(windows | awk -v t="$1" -v w="$2" '$1 == t && $4 == w { print $2, $3, $4, $5, $6, $7; exit }')
        if [ -n "$at" ] && [ "$at" = "$last" ]; then
            read -r X Y W H FOCUS ID <<<"$at"
            return 0
        fi
        last=$at
        sleep 0.2
    done
    return 1
}
on_top() { windows | tail -n 1 | awk '{ print $1, $4, $6 }'; }
click() { # x y
    xdotool mousemove "$1" "$2"
    sleep 0.15
    xdotool mousedown 1
    sleep 0.06
    xdotool mouseup 1
    sleep 0.4
}

failed=0
check() { # what, then a command that passes or fails
    local what=$1
    shift
    if "$@"; then
        echo "kwin xwayland: $what: PASS"
    else
        echo "kwin xwayland: $what: FAIL"
        failed=$((failed + 1))
    fi
}
near() { [ "$(($1 - $2))" -ge -2 ] && [ "$(($1 - $2))" -le 2 ]; }

env -u QT_QPA_PLATFORM XDG_SESSION_TYPE=wayland "$program" >"$out/program.log" 2>&1 &
app_pid=$!
wait_for Quillop 470 || { echo "kwin xwayland: no menu appeared: $(cat "$out/program.log")"; exit 1; }
menu_x=$X menu_y=$Y
echo "kwin xwayland: menu at $X,$Y"

xdotool mousemove $((X + 5)) $((Y + 300))
sleep 0.2
xdotool mousedown 1
sleep 0.15
for i in $(seq 1 20); do
    xdotool mousemove $((X + 5 + 5 * i)) $((Y + 300 + 2 * i))
    sleep 0.02
done
xdotool mouseup 1
sleep 0.5
wait_for Quillop 470
check "a drag of 100,40 moves the menu by it (to $X,$Y)" eval 'near $((X - menu_x)) 100 && near $((Y - menu_y)) 40'
menu_x=$X menu_y=$Y

# Right after it, the item under the mouse lights.
xdotool mousemove $((X + 370)) $((Y + 370))
sleep 0.1
xdotool mousemove $((X + 381)) $((Y + 374))
sleep 0.4
import -window "$ID" -crop 129x25+317+362 "$out/lit.png"
yellow=$(convert "$out/lit.png" -fx 'r > 0.8 && g > 0.8 && b < 0.4 ? 1 : 0' -format '%[fx:int(mean * w * h + 0.5)]' info: 2>/dev/null)
check "New Game lights under the mouse right after the drag (${yellow:-no} yellow pixels)" test "${yellow:-0}" -gt 20

click $((X + 381)) $((Y + 374)) # New Game
check "New Game shows the game" wait_for Quillop_-_Game 470
check "the game opens where the menu stood ($X,$Y)" test "$X,$Y" = "$menu_x,$menu_y"
xdotool key Escape
sleep 0.5
check "Escape brings the menu back" wait_for Quillop 470
check "the menu comes back where it stood ($X,$Y)" test "$X,$Y" = "$menu_x,$menu_y"

click $((X + 381)) $((Y + 566)) # Exit, with a game in progress
check "Exit asks" wait_for Quillop 385
check "the question opens centred over the menu (at $X,$Y, menu at $menu_x,$menu_y)" \
    eval 'near $((X - menu_x)) 42 && near $((Y - menu_y)) 235'
check "the question opens on top with the keys ($(on_top))" test "$(on_top)" = "Quillop 385 1"
ask_x=$X ask_y=$Y
click $((menu_x + 30)) $((menu_y + 560)) # the menu beside the question
check "after a click on the menu beside it the question is still on top with the keys ($(on_top))" \
    test "$(on_top)" = "Quillop 385 1"
click $((ask_x + 104)) $((ask_y + 102)) # Yes
for _ in $(seq 1 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
check "Yes ends the program" eval '! kill -0 "$app_pid" 2>/dev/null'
echo "$((failed == 0 ? 1 : 0)) passed, $((failed == 0 ? 0 : 1)) failed"
echo "$((failed == 0 ? 0 : 1))" >"$out/status"
