#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quillop developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The real program at twice the scale (QT_SCALE_FACTOR=2) under Xvfb: every
# window keeps its layout at 940 x 1200 screen pixels, and its art is drawn
# at that resolution, not doubled from 470 x 600.
#
#   hidpi_e2e.sh <path to quillop> <work folder>
set -euo pipefail
program=$1
out=$2
. "$(dirname "$0")/xvfb.sh"
start_session "$out" 2048 1536
start_program "$out/program.log" env QT_SCALE_FACTOR=2 "$program"

# Pixels that differ from the same shot shrunk to half and blown up again:
# none for art doubled from 1x, many for art drawn at 2x.
fine_pixels() { # screenshot
    convert "$1" -sample 50% -sample 200% "$out/doubled.png"
    { compare -metric AE "$1" "$out/doubled.png" null: 2>&1 || true; } | cut -d' ' -f1
}

check_window() { # title shot
    local win
    win=$(wait_for_window "$1") || fail "no window $1"
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$win")"
    [ "$WIDTH" = 940 ] && [ "$HEIGHT" = 1200 ] || fail "$1 is ${WIDTH}x${HEIGHT}"
    import -window root -crop "940x1200+$X+$Y" +repage "$out/$2.png"
    local fine
    fine=$(fine_pixels "$out/$2.png")
    [ "$fine" -gt 20000 ] || fail "$1 looks doubled: only $fine pixels finer than 2 x 2 blocks"
    echo "$1: 940x1200, $fine pixels finer than 2 x 2 blocks"
}

SCALE=2 # screen pixels to a game pixel

check_window Quillop menu
click_spot high-scores
check_window "Quillop - High Scores" scores
xdotool key Escape
wait_for_window Quillop >/dev/null
click_spot new-game
check_window "Quillop - Game" game
echo "1 passed, 0 failed"
