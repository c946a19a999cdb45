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

pointer_to() {
    ask "global.quillop.mouse.notify_absolute_motion(global.quillop.now(), $1, $2)" >/dev/null
}
button() { # down or up
    local state=PRESSED
    [ "$1" = down ] || state=RELEASED
    ask "global.quillop.mouse.notify_button(global.quillop.now(), 1, imports.gi.Clutter.ButtonState.$state)" >/dev/null
}
escape() {
    local state
    for state in PRESSED RELEASED; do
        ask "global.quillop.keys.notify_keyval(global.quillop.now(), imports.gi.Clutter.KEY_Escape, imports.gi.Clutter.KeyState.$state)" >/dev/null
    done
}
windows() { ask 'global.quillop.windows()' | tr ';' '\n'; }
picture() { # x y width height file
    gdbus call --session --dest org.gnome.Shell.Screenshot --object-path /org/gnome/Shell/Screenshot \
        --method org.gnome.Shell.Screenshot.ScreenshotArea "$1" "$2" "$3" "$4" false "$5" >/dev/null
}

if [ "$mode" = xwayland ]; then
    launch=(env -u QT_QPA_PLATFORM XDG_SESSION_TYPE=wayland DISPLAY="$(ask 'imports.gi.GLib.getenv("DISPLAY")')"
        XAUTHORITY="$(ask 'imports.gi.GLib.getenv("XAUTHORITY")')")
else
    launch=(env QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-0)
fi
"${launch[@]}" "$program" >"$out/program.log" 2>&1 &
app_pid=$!
desktop=gnome
. "$(dirname "$0")/desktop_checks.sh"
run_checks
