#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quillop developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The real program on Wayland, natively: a headless weston, the program with
# QT_QPA_PLATFORM=wayland, a screenshot through weston's own screenshooter
# that must show the menu as its picture draws it, and a clean end when the
# system asks the program to end. With "refused-x", the program is left to
# choose, in a Wayland session whose X display refuses it: it must come up
# on Wayland and say so in its log.
#
#   wayland_e2e.sh <path to quillop> <path to the menu picture> <work folder> [refused-x]
set -euo pipefail
program=$1
picture=$2
out=$3
mode=${4:-native}
rm -rf "$out"
mkdir -p "$out"
. "$(dirname "$0")/xvfb.sh"
require_qt_wayland

export XDG_RUNTIME_DIR="$out/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export WAYLAND_DISPLAY=quillop-test
weston --backend=headless-backend.so --use-pixman --socket="$WAYLAND_DISPLAY" --width=800 --height=700 \
    --idle-time=0 --debug >"$out/weston.log" 2>&1 &
weston_pid=$!
trap 'kill "${app_pid:-}" "$weston_pid" 2>/dev/null || true; wait 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do
    [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break
    sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || fail "weston did not start: $(tail -n 5 "$out/weston.log")"

# In the sanitizer build: Qt's Wayland platform leaves allocations in the
# libraries it unloads at exit, where the leak checker cannot name them to
# suppress them. Every other run of that build checks for leaks.
if [ "$mode" = refused-x ]; then
    # A display number no server has: the connection is refused.
    display=63999
    while [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display - 1)); done
    launch=(env -u QT_QPA_PLATFORM XDG_SESSION_TYPE=wayland DISPLAY=":$display")
else
    launch=(env QT_QPA_PLATFORM=wayland)
fi
"${launch[@]}" XDG_DATA_HOME="$out/data" ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" "$program" >"$out/program.log" 2>&1 &
app_pid=$!

# The menu's green border, and its lower right corner, where the compositor
# placed the window.
convert "$picture" -crop 40x40+0+0 +repage "$out/corner.png"
convert "$picture" -crop 40x40+430+560 +repage "$out/far-corner.png"
found=""
for _ in $(seq 1 20); do
    sleep 0.5
    kill -0 "$app_pid" 2>/dev/null || fail "the program ended: $(cat "$out/program.log")"
    (cd "$out" && rm -f wayland-screenshot-*.png && weston-screenshooter >/dev/null 2>&1) || continue
    shot=$(ls "$out"/wayland-screenshot-*.png 2>/dev/null | head -n 1)
    [ -n "$shot" ] || continue
    read -r error place < <(compare -metric RMSE -subimage-search "$shot" "$out/corner.png" null: 2>&1 |
        sed -E 's/.*\(([0-9.e-]+)\) @ ([0-9]+,[0-9]+).*/\1 \2/') || true
    if awk -v e="$error" 'BEGIN {exit !(e < 0.02)}'; then
        found=$place
        break
    fi
done
[ -n "$found" ] || fail "no menu on the screen; the closest match was $error at $place"
x=${found%,*}
y=${found#*,}
convert "$shot" -crop "40x40+$((x + 430))+$((y + 560))" +repage "$out/shot-far-corner.png"
far=$({ compare -metric RMSE "$out/shot-far-corner.png" "$out/far-corner.png" null: 2>&1 || true; } |
    sed -E 's/.*\(([0-9.e-]+)\).*/\1/')
awk -v e="$far" 'BEGIN {exit !(e < 0.02)}' || fail "the menu at $found is not whole: its far corner differs by $far"
echo "the menu is drawn at $found on a headless weston"
if [ "$mode" = refused-x ]; then
    grep -q "^quillop: the X display :$display refused the game, which runs on Wayland instead" "$out/program.log" ||
        fail "the log does not say the game fell back to Wayland: $(cat "$out/program.log")"
    echo "the refused X display is in the log: $(grep '^quillop:' "$out/program.log")"
fi

kill -TERM "$app_pid"
status=0
wait "$app_pid" || status=$?
[ "$status" -eq 0 ] || fail "asked to end, the program exited with $status: $(tail -n 5 "$out/program.log")"
echo "asked to end, it ended cleanly"
echo "1 passed, 0 failed"
