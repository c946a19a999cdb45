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

. "$(dirname "$0")/x11_input.sh"

env -u QT_QPA_PLATFORM XDG_SESSION_TYPE=wayland "$program" >"$out/program.log" 2>&1 &
app_pid=$!
desktop=kwin mode=xwayland
. "$(dirname "$0")/desktop_checks.sh"
run_checks
echo $? >"$out/status"
