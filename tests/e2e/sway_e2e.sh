#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quillop developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The real program under a headless sway, a wlroots compositor that ignores a
# program's own moves of its windows, on XWayland (the game's choice there)
# or natively on Wayland. sway has no mouse or keyboard of its own here:
# quillop_wlpointer plays a mouse through the compositor's virtual pointer
# and wtype types through its virtual keyboard, so both reach the game as a
# player's would; sway tells where the windows are, grim what they show.
# It plays the checks every desktop's script plays (desktop_checks.sh). sway
# refuses to run as root, so as root it all runs as nobody.
#
#   sway_e2e.sh <path to quillop> <path to quillop_wlpointer> <work folder> <xwayland|wayland> [scale]
#
# With a scale, the game runs with QT_SCALE_FACTOR at it, on a screen as
# much larger.
set -euo pipefail
program=$1
pointer=$2
out=$3
mode=$4
SCALE=${5:-1}
width=$((1280 * SCALE)) height=$((1024 * SCALE))
. "$(dirname "$0")/xvfb.sh"
require_qt_wayland
rm -rf "$out"
mkdir -p "$out"
# Everything the session touches lies in a folder of its own under /tmp,
# which nobody can reach wherever the build is; the logs are kept in $out.
work=$(mktemp -d /tmp/quillop-sway.XXXXXX)
chmod 755 "$work"
mkdir -p "$work/bin" "$work/home" "$work/run"
cp "$program" "$pointer" "$work/bin/"
as=()
if [ "$(id -u)" = 0 ]; then
    chown -R 65534:65534 "$work"
    as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
chmod 700 "$work/run"
export XDG_RUNTIME_DIR="$work/run" HOME="$work/home" XDG_DATA_HOME="$work/home/data"
cat >"$work/config" <<CONFIG
output HEADLESS-1 resolution ${width}x${height} position 0 0
default_border none
default_floating_border none
focus_follows_mouse no
CONFIG
# In a session of its own, so that sway, its X server and all it started end
# with the test (ending the bus that runs sway would leave sway running).
WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    setsid "${as[@]}" dbus-run-session -- sway -c "$work/config" >"$work/sway.log" 2>&1 &
session=$! # setsid forks only from a group leader, which a job of a script is not
finish() {
    run grim "$work/screen.png" 2>/dev/null || true
    run swaymsg -t get_tree >"$work/tree.log" 2>&1 || true
    exec 7>&- 8<&- 2>/dev/null || true
    pkill -KILL -f "^$work/bin/quillop" 2>/dev/null || true
    pkill -TERM -s "$session" 2>/dev/null || true
    for _ in $(seq 1 30); do pgrep -s "$session" >/dev/null || break; sleep 0.1; done
    pkill -KILL -s "$session" 2>/dev/null || true
    wait 2>/dev/null || true
    cp "$work"/*.log "$work"/*.png "$out/" 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT
for _ in $(seq 1 100); do
    SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock 2>/dev/null | head -n 1 || true)
    [ -n "$SWAYSOCK" ] && [ -S "$XDG_RUNTIME_DIR/wayland-1" ] && break
    sleep 0.1
done
[ -n "$SWAYSOCK" ] || fail "sway did not start: $(tail -n 5 "$work/sway.log")"
export SWAYSOCK WAYLAND_DISPLAY=wayland-1
run() { "${as[@]}" env XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" HOME="$HOME" SWAYSOCK="$SWAYSOCK" WAYLAND_DISPLAY="$WAYLAND_DISPLAY" "$@"; }

# "title x y width height focused shell" of each of the game's windows,
# bottom first; the shell says whether it came through XWayland or Wayland's own.
windows() {
    run swaymsg -r -t get_tree | python3 -c '
import json, sys
def floating(node):
    for child in node.get("nodes", []):
        yield from floating(child)
    yield from node.get("floating_nodes", [])
for window in floating(json.load(sys.stdin)):
    if window.get("name", "").startswith("Quillop"):
        r = window["rect"]
        print(window["name"].replace(" ", "_"), r["x"], r["y"], r["width"], r["height"], int(window["focused"]), window.get("shell"))'
}
# One mouse for the whole test, plugged in before the game starts: fed
# through a pipe, it plays what mouse() is given and says when it is done.
mkfifo "$work/mouse.in" "$work/mouse.out"
[ -z "${as[*]}" ] || chown 65534:65534 "$work/mouse.in" "$work/mouse.out"
run "$work/bin/quillop_wlpointer" "$width" "$height" <"$work/mouse.in" >"$work/mouse.out" 2>"$work/mouse.log" &
exec 7>"$work/mouse.in" 8<"$work/mouse.out"
mouse() {
    cat >&7
    echo sync >&7
    local reply=""
    read -r -t 30 -u 8 reply || true
    [ "$reply" = done ] || fail "the virtual mouse stopped: $(cat "$work/mouse.log")"
}
pointer_to() { echo "move $1 $2" | mouse; }
button() { # down or up
    if [ "$1" = down ]; then echo press | mouse; else echo release | mouse; fi
}
# A new virtual keyboard needs a moment before clients take its keys.
escape() { run wtype -s 300 -k Escape; }
picture() { # x y width height file
    run grim -g "$1,$2 ${3}x$4" "$work/picture.png" && cp "$work/picture.png" "$5"
}

if [ "$mode" = xwayland ]; then
    # sway tells its own programs where its X server is once that is ready;
    # one started before then hears of none.
    xdisplay=""
    for _ in $(seq 1 100); do
        run swaymsg exec "echo \$DISPLAY >$work/display" >/dev/null
        sleep 0.1
        xdisplay=$(cat "$work/display" 2>/dev/null || true)
        [ -n "$xdisplay" ] && break
    done
    [ -n "$xdisplay" ] || fail "sway started no X server"
    launch=(env -u QT_QPA_PLATFORM XDG_SESSION_TYPE=wayland DISPLAY="$xdisplay")
else
    launch=(env QT_QPA_PLATFORM=wayland)
fi
# With a session bus of its own, as in a player's session: without one, the
# bus library would start one through the X display and the program could
# wait on it as it ends.
run dbus-run-session -- "${launch[@]}" QT_SCALE_FACTOR="$SCALE" ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" "$work/bin/quillop" >"$work/program.log" 2>&1 &
app_pid=$!
for _ in $(seq 1 150); do
    kind=$(windows | awk '$1 == "Quillop" { print $7; exit }')
    [ -n "$kind" ] && break
    sleep 0.2
done
[ -n "$kind" ] || fail "no menu appeared: $(cat "$work/program.log")"
expected=xdg_shell
[ "$mode" = wayland ] || expected=xwayland
[ "$kind" = "$expected" ] || fail "the game came through $kind, not $expected"
echo "sway $mode: the game came through $kind"

set +e
desktop=sway
. "$(dirname "$0")/desktop_checks.sh"
run_checks || exit 1
wait "$app_pid"
status=$?
[ "$status" -eq 0 ] || fail "after Yes the program ended with status $status"
