#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quillop developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The real program under a headless GNOME Shell 43, on XWayland (the game's
# choice there) or natively on Wayland: the checks of the sway test, played
# through a mouse and keyboard of the shell's own (Clutter's virtual input
# devices), with the shell telling where the windows stand, which is on top
# and which has the keys. Not run by CI: it needs gnome-shell (hundreds of
# megabytes) and a system bus of its own. Prints one line per check and
# exits non-zero if any failed.
#
#   gnome_e2e.sh <path to quillop> <work folder> <xwayland|wayland>
set -uo pipefail
program=$(realpath "$1")
out=$(realpath -m "$2")
mode=$3

if [ "${GNOME_E2E_INSIDE:-}" != 1 ]; then
    command -v gnome-shell >/dev/null || { echo "gnome-shell is not installed: skipped"; exit 77; }
    rm -rf "$out"
    mkdir -p "$out/run" "$out/home"
    chmod 700 "$out/run"
    # A small extension lets the test ask the shell (its unsafe mode).
    extension="$out/home/.local/share/gnome-shell/extensions/quillop-check@quillop.org"
    mkdir -p "$extension" "$out/home/.config/glib-2.0/settings"
    echo '{"uuid": "quillop-check@quillop.org", "name": "Quillop check", "description": "Lets the end-to-end test ask the shell", "shell-version": ["43"]}' >"$extension/metadata.json"
    echo 'function init() { return { enable() { global.context.unsafe_mode = true; }, disable() {} }; }' >"$extension/extension.js"
    printf '[org/gnome/shell]\nenabled-extensions=['"'"'quillop-check@quillop.org'"'"']\ndisable-user-extensions=false\n' >"$out/home/.config/glib-2.0/settings/keyfile"
    # The shell asks the system bus for logins; one of the test's own answers.
    dbus-daemon --config-file=/usr/share/dbus-1/session.conf --address="unix:path=$out/system_bus" --fork --print-pid >"$out/system_bus.pid"
    export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$out/system_bus" XDG_RUNTIME_DIR="$out/run" HOME="$out/home"
    export XDG_CONFIG_HOME="$out/home/.config" XDG_DATA_HOME="$out/home/.local/share" GSETTINGS_BACKEND=keyfile GNOME_E2E_INSIDE=1
    dbus-run-session -- bash "$0" "$@"
    status=$?
    kill "$(cat "$out/system_bus.pid")" 2>/dev/null
    exit $status
fi

gnome-shell --headless --wayland --virtual-monitor 1280x1024 >"$out/shell.log" 2>&1 &
shell_pid=$!
app_pid=""
finish() {
    [ -z "$app_pid" ] || kill "$app_pid" 2>/dev/null
    kill "$shell_pid" 2>/dev/null
    wait 2>/dev/null
}
trap finish EXIT

# The value of a JavaScript expression, as the shell evaluates it.
ask() {
    gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
        --method org.gnome.Shell.Eval "$1" 2>/dev/null | python3 -c '
import ast, json, re, sys
said = re.fullmatch(r"\(true, (.*)\)", sys.stdin.read().strip(), re.S)
if not said:
    sys.exit(1)
value = json.loads(ast.literal_eval(said.group(1)) or "null")
print(value if value is not None else "")'
}
for _ in $(seq 1 100); do ask 1 >/dev/null && break; sleep 0.2; done
ask 1 >/dev/null || { gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell --method org.gnome.Shell.Eval 1; echo "GNOME Shell did not start: $(tail -n 5 "$out/shell.log")"; exit 1; }

# The shell opens on its overview, which takes every click: away with it.
ask 'imports.ui.main.overview.hide(); "hidden"' >/dev/null
for _ in $(seq 1 50); do [ "$(ask 'imports.ui.main.overview.visible')" = False ] && break; sleep 0.1; done
ask '
const { Clutter, GLib } = imports.gi;
const seat = Clutter.get_default_backend().get_default_seat();
global.quillop = {
    mouse: seat.create_virtual_device(Clutter.InputDeviceType.POINTER_DEVICE),
    keys: seat.create_virtual_device(Clutter.InputDeviceType.KEYBOARD_DEVICE),
    now: () => GLib.get_monotonic_time(),
    windows: () => global.display.sort_windows_by_stacking(global.get_window_actors().map(a => a.meta_window))
        .filter(w => w.get_title() && w.get_title().startsWith("Quillop"))
        .map(w => { const r = w.get_frame_rect();
                    return [w.get_title().replace(/ /g, "_"), r.x, r.y, r.width, r.height, w.has_focus() ? 1 : 0].join(" "); })
        .join(";"),
};
"ready"' >/dev/null

at_x=0 at_y=0
move() { # x y: glides there a few pixels at a time, as a hand does
    local dx=$(($1 - at_x)) dy=$(($2 - at_y)) steps i
    steps=$(((${dx#-} > ${dy#-} ? ${dx#-} : ${dy#-}) / 8 + 1))
    for i in $(seq 1 $steps); do
        ask "global.quillop.mouse.notify_absolute_motion(global.quillop.now(), $((at_x + dx * i / steps)), $((at_y + dy * i / steps)))" >/dev/null
    done
    at_x=$1 at_y=$2
}
button() { # PRESSED or RELEASED
    ask "global.quillop.mouse.notify_button(global.quillop.now(), 1, imports.gi.Clutter.ButtonState.$1)" >/dev/null
}
click() { # x y
    move "$1" "$2"
    sleep 0.15
    button PRESSED
    sleep 0.06
    button RELEASED
    sleep 0.4
}
escape() {
    ask 'global.quillop.keys.notify_keyval(global.quillop.now(), imports.gi.Clutter.KEY_Escape, imports.gi.Clutter.KeyState.PRESSED)' >/dev/null
    ask 'global.quillop.keys.notify_keyval(global.quillop.now(), imports.gi.Clutter.KEY_Escape, imports.gi.Clutter.KeyState.RELEASED)' >/dev/null
}
# "title x y width height focused" of each of the game's windows, bottom first.
windows() { ask 'global.quillop.windows()' | tr ';' '\n'; }
wait_for() { # title width: sets X Y W H FOCUS once the window stands still
    local deadline=$((SECONDS + 20)) at last=""
    while [ $SECONDS -lt $deadline ]; do
        at=$(windows | awk -v t="$1" -v w="$2" '$1 == t && $4 == w { print $2, $3, $4, $5, $6; exit }')
        if [ -n "$at" ] && [ "$at" = "$last" ]; then
            read -r X Y W H FOCUS <<<"$at"
            return 0
        fi
        last=$at
        sleep 0.2
    done
    return 1
}
on_top() { windows | tail -n 1 | awk '{ print $1, $4, $6 }'; }

failed=0
check() { # what, then a command that passes or fails
    local what=$1
    shift
    if "$@"; then
        echo "gnome $mode: $what: PASS"
    else
        echo "gnome $mode: $what: FAIL"
        failed=$((failed + 1))
    fi
}
near() { [ "$(($1 - $2))" -ge -2 ] && [ "$(($1 - $2))" -le 2 ]; }

if [ "$mode" = xwayland ]; then
    display=$(ask 'imports.gi.GLib.getenv("DISPLAY")')
    launch=(env -u QT_QPA_PLATFORM XDG_SESSION_TYPE=wayland DISPLAY="$display" XAUTHORITY="$(ask 'imports.gi.GLib.getenv("XAUTHORITY")')")
else
    launch=(env QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-0)
fi
"${launch[@]}" "$program" >"$out/program.log" 2>&1 &
app_pid=$!

wait_for Quillop 470 || { echo "gnome $mode: no menu appeared: $(cat "$out/program.log")"; exit 1; }
menu_x=$X menu_y=$Y
echo "gnome $mode: menu at $X,$Y"

# A drag of the background.
move $((X + 5)) $((Y + 300))
sleep 0.2
button PRESSED
sleep 0.15
for i in $(seq 1 20); do
    ask "global.quillop.mouse.notify_absolute_motion(global.quillop.now(), $((X + 5 + 5 * i)), $((Y + 300 + 2 * i)))" >/dev/null
    sleep 0.02
done
at_x=$((X + 105)) at_y=$((Y + 340))
button RELEASED
sleep 0.5
wait_for Quillop 470
check "a drag of 100,40 moves the menu by it (to $X,$Y)" near $((X - menu_x)) 100
menu_x=$X menu_y=$Y

# Right after it, the item under the mouse lights.
move $((X + 370)) $((Y + 370))
move $((X + 381)) $((Y + 374))
sleep 0.4
gdbus call --session --dest org.gnome.Shell.Screenshot --object-path /org/gnome/Shell/Screenshot \
    --method org.gnome.Shell.Screenshot.ScreenshotArea $((X + 317)) $((Y + 362)) 129 25 false "$out/lit.png" >/dev/null
yellow=$(convert "$out/lit.png" -fx 'r > 0.8 && g > 0.8 && b < 0.4 ? 1 : 0' -format '%[fx:int(mean * w * h + 0.5)]' info: 2>/dev/null)
check "New Game lights under the mouse right after the drag (${yellow:-no} yellow pixels)" test "${yellow:-0}" -gt 20

click $((X + 381)) $((Y + 374)) # New Game
check "New Game shows the game" wait_for Quillop_-_Game 470
[ "$mode" = wayland ] || check "the game opens where the menu stood ($X,$Y)" test "$X,$Y" = "$menu_x,$menu_y"
escape
sleep 0.5
check "Escape brings the menu back" wait_for Quillop 470
[ "$mode" = wayland ] || check "the menu comes back where it stood ($X,$Y)" test "$X,$Y" = "$menu_x,$menu_y"
menu_x=$X menu_y=$Y

click $((X + 381)) $((Y + 566)) # Exit, with a game in progress
check "Exit asks" wait_for Quillop 385
if [ "$mode" = xwayland ]; then
    check "the question opens centred over the menu (at $X,$Y, menu at $menu_x,$menu_y)" \
        eval 'near $((X - menu_x)) 42 && near $((Y - menu_y)) 235'
else # GNOME Shell 43 places a Qt program's Wayland dialogs as any window
    echo "gnome $mode: the question opens where GNOME puts it (at $X,$Y, menu at $menu_x,$menu_y): INFO"
fi
check "the question opens on top with the keys ($(on_top))" test "$(on_top)" = "Quillop 385 1"
ask_x=$X ask_y=$Y
click $((menu_x + 30)) $((menu_y + 560)) # the menu beside the question
check "after a click on the menu beside it the question is still on top with the keys ($(on_top))" \
    test "$(on_top)" = "Quillop 385 1"
click $((ask_x + 104)) $((ask_y + 102)) # Yes
for _ in $(seq 1 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
check "Yes ends the program" eval '! kill -0 "$app_pid" 2>/dev/null'
echo "$((${failed} == 0 ? 1 : 0)) passed, $((${failed} == 0 ? 0 : 1)) failed"
[ "$failed" -eq 0 ]
