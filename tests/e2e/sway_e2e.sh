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
# The menu shows; a drag of its background moves it by the drag; right after
# the drag the item under the mouse lights; New Game shows the game and
# Escape the menu again, both where the menu stood (on XWayland, where the
# game knows its places); Exit asks, over the menu; a click on the menu
# beside the question leaves the question on top and focused; Yes ends the
# program. sway refuses to run as root, so as root it all runs as nobody.
#
#   sway_e2e.sh <path to quillop> <path to quillop_wlpointer> <work folder> <xwayland|wayland>
set -euo pipefail
program=$1
pointer=$2
out=$3
mode=$4
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
cat >"$work/config" <<'CONFIG'
output HEADLESS-1 resolution 1280x1024 position 0 0
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

# "x y width height shell" of the window with this title and width, as sway
# has it; the shell says whether it came through XWayland or Wayland's own.
where() { # title width
    run swaymsg -r -t get_tree | python3 -c '
import json, sys
def walk(node):
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        r = child["rect"]
        if child.get("name") == sys.argv[1] and str(r["width"]) == sys.argv[2]:
            print(r["x"], r["y"], r["width"], r["height"], child.get("shell"))
            sys.exit(0)
        walk(child)
walk(json.load(sys.stdin))' "$1" "$2"
}
wait_for() { # title width: waits up to 30 s for the window to stand still, sets X Y W H KIND
    local deadline=$((SECONDS + 30)) at last=""
    while [ $SECONDS -lt $deadline ]; do
        at=$(where "$1" "$2")
        # sway may place a window again just after it maps it.
        if [ -n "$at" ] && [ "$at" = "$last" ]; then
            read -r X Y W H KIND <<<"$at"
            return 0
        fi
        last=$at
        sleep 0.2
    done
    return 1
}
# One mouse for the whole test, plugged in before the game starts: fed
# through a pipe, it plays what mouse() is given and says when it is done.
mkfifo "$work/mouse.in" "$work/mouse.out"
[ -z "${as[*]}" ] || chown 65534:65534 "$work/mouse.in" "$work/mouse.out"
run "$work/bin/quillop_wlpointer" 1280 1024 <"$work/mouse.in" >"$work/mouse.out" 2>"$work/mouse.log" &
exec 7>"$work/mouse.in" 8<"$work/mouse.out"
mouse() {
    cat >&7
    echo sync >&7
    local reply=""
    read -r -t 30 -u 8 reply || true
    [ "$reply" = done ] || fail "the virtual mouse stopped: $(cat "$work/mouse.log")"
}
click() { # x y on the screen
    printf 'move %d %d\nsleep 150\npress\nsleep 60\nrelease\nsleep 300\n' "$1" "$2" | mouse
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
run dbus-run-session -- "${launch[@]}" ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" "$work/bin/quillop" >"$work/program.log" 2>&1 &
app_pid=$!
wait_for Quillop 470 || fail "no menu appeared: $(cat "$work/program.log")"
expected=xdg_shell
[ "$mode" = wayland ] || expected=xwayland
[ "$KIND" = "$expected" ] || fail "the game came through $KIND, not $expected"
echo "$mode: menu at $X,$Y, through $KIND"

# A drag of the background: pressed, twenty moves 20 ms apart, released.
{
    printf 'move %d %d\nsleep 200\npress\nsleep 150\n' $((X + 5)) $((Y + 300))
    for i in $(seq 1 20); do printf 'move %d %d\nsleep 20\n' $((X + 5 + 5 * i)) $((Y + 300 + 2 * i)); done
    printf 'release\nsleep 400\n'
} | mouse
from_x=$X from_y=$Y
sleep 0.3
wait_for Quillop 470
dx=$((X - from_x - 100)) dy=$((Y - from_y - 40))
[ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ] || fail "a drag of 100,40 moved the menu from $from_x,$from_y to $X,$Y"
echo "$mode: the drag moved the menu to $X,$Y"

# Right after it, the item under the mouse lights.
printf 'move %d %d\nsleep 100\nmove %d %d\nsleep 400\n' $((X + 370)) $((Y + 370)) $((X + 381)) $((Y + 374)) | mouse
run grim -g "$((X + 317)),$((Y + 362)) 129x25" "$work/lit.png"
yellow=$(convert "$work/lit.png" -fx 'r > 0.8 && g > 0.8 && b < 0.4 ? 1 : 0' -format '%[fx:int(mean * w * h + 0.5)]' info:)
[ "$yellow" -gt 20 ] || fail "New Game did not light under the mouse after the drag ($yellow yellow pixels)"
echo "$mode: New Game lights under the mouse right after the drag ($yellow yellow pixels)"

menu_x=$X menu_y=$Y
at_menu() { # what: on XWayland, where the game knows its places, the window stands where the menu stood
    [ "$mode" = wayland ] || [ "$X,$Y" = "$menu_x,$menu_y" ] || fail "$1 at $X,$Y, not where the menu stood ($menu_x,$menu_y)"
}
click $((X + 381)) $((Y + 374)) # New Game
wait_for "Quillop - Game" 470 || fail "New Game showed no game window"
at_menu "the game window opened"
run wtype -s 300 -k Escape
wait_for Quillop 470 || fail "Escape did not bring the menu back"
at_menu "Escape brought the menu back"
menu_x=$X menu_y=$Y
echo "$mode: New Game and Escape, at the menu's place"

click $((X + 381)) $((Y + 566)) # Exit, with the game in progress
wait_for Quillop 385 || fail "Exit asked nothing"
over_x=$((X - menu_x)) over_y=$((Y - menu_y))
[ "$mode" = wayland ] || { [ $over_x -ge 42 ] && [ $over_x -le 43 ] && [ $over_y -ge 235 ] && [ $over_y -le 236 ]; } ||
    fail "the question opened at $X,$Y, not over the menu at $menu_x,$menu_y"
ask_x=$X ask_y=$Y
# A click on the menu beside the question, which the question blocks: the
# question stays on top, focused, and answers.
click $((menu_x + 30)) $((menu_y + 560))
sleep 0.5
top=$(run swaymsg -r -t get_tree | python3 -c '
import json, sys
def floating(node):
    for child in node.get("nodes", []):
        yield from floating(child)
    yield from node.get("floating_nodes", [])
on_top = list(floating(json.load(sys.stdin)))[-1]
print(on_top["rect"]["width"], on_top["focused"])')
[ "$top" = "385 True" ] || fail "a click on the menu under the question left on top, focused or not, the window of width and focus \"$top\""
wait_for Quillop 385 && [ "$X,$Y" = "$ask_x,$ask_y" ] || fail "the question moved to $X,$Y after the click under it"
echo "$mode: a click on the menu under the question leaves the question on top"
click $((X + 104)) $((Y + 102)) # Yes
expect_end "$app_pid" "Yes to \"exit anyway?\""
echo "$mode: Exit, Yes: the program ended"
echo "1 passed, 0 failed"
