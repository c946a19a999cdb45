#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quillop developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The real program under i3, the tiling window manager, with the
# configuration a new user starts from (its bar included) on Xvfb: the
# checks every desktop's script plays (desktop_checks.sh), through xdotool.
# i3 floats the game's fixed-size windows, and placed the frame it would
# have drawn where the game put a window before it dropped the frame the
# window does not want. Prints one line per check and exits non-zero if any
# failed.
#
#   i3_e2e.sh <path to quillop> <work folder>
set -euo pipefail
program=$1
out=$2
. "$(dirname "$0")/xvfb.sh"
command -v i3 >/dev/null || { echo "i3 is not installed: skipped"; exit 77; }
start_session "$out" 1280 1024
# The configuration a new user has once i3's first-start wizard wrote it
# (the wizard itself grabs the keyboard until it is answered).
export HOME="$out/home" XDG_CONFIG_HOME="$out/home/.config"
mkdir -p "$XDG_CONFIG_HOME/i3"
cp /etc/i3/config "$XDG_CONFIG_HOME/i3/config"
start_wm "$out/i3.log" i3

. "$(dirname "$0")/x11_input.sh"
play_checks_on_x i3 "$program"
