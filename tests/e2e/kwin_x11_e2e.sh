#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quillop developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The real program under KWin's X11 window manager (kwin_x11) on Xvfb: the
# checks every desktop's script plays (desktop_checks.sh), through xdotool.
# Not run by CI: it needs kwin-x11 (hundreds of megabytes). Prints one line
# per check and exits non-zero if any failed.
#
#   kwin_x11_e2e.sh <path to quillop> <work folder>
set -euo pipefail
program=$(realpath "$1")
out=$(realpath -m "$2")
. "$(dirname "$0")/xvfb.sh"
command -v kwin_x11 >/dev/null || { echo "kwin_x11 is not installed: skipped"; exit 77; }
if [ "${KWIN_X11_E2E_INSIDE:-}" != 1 ]; then
    # With a session bus of its own, which KWin needs, as the game does.
    exec env KWIN_X11_E2E_INSIDE=1 dbus-run-session -- bash "$0" "$@"
fi
start_session "$out" 1280 1024
export HOME="$out/home" XDG_RUNTIME_DIR="$out/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
start_wm "$out/kwin.log" kwin_x11 --replace
sleep 1 # KWin reads its configuration after it took the screen

. "$(dirname "$0")/x11_input.sh"
play_checks_on_x kwin_x11 env QT_QPA_PLATFORM=xcb "$program"
