#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quillop developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Another X client destroys the menu hidden under the game, then the window
# that waits for a new score's name (XDestroyWindow, no close request the
# game could refuse): the name typed so far is kept with the score, the menu
# comes back where the window stood, and Exit still ends the program.
#
#   outside_close_e2e.sh <path to quillop> <work folder>
set -euo pipefail
program=$1
out=$2
. "$(dirname "$0")/xvfb.sh"
start_session "$out" 1280 1024
mkdir -p "$out/program"
cp "$program" "$out/program/quillop"
table=""
for i in $(seq 1 15); do table+="\"P$i\",-$i,1"$'\r\n'; done # any final score beats them
printf '%s' "$table" >"$out/program/TopScores.txt"

start_program "$out/program.log" "$out/program/quillop"
menu=$(wait_for_window Quillop) || fail "no menu appeared"
eval "$(xdotool getwindowgeometry --shell "$menu")"
click_spot new-game
game=$(wait_for_window "Quillop - Game") || fail "New Game showed no game window"
deadline=$((SECONDS + 100))
until scores=$(xdotool search --onlyvisible --name '^Quillop - High Scores$' 2>/dev/null | head -n 1) && [ -n "$scores" ]; do
    [ $SECONDS -lt $deadline ] || fail "the game never ended"
    drop
    sleep 1.2
done
eval "$(xdotool getwindowgeometry --shell "$scores")"
wait_for_focus "$scores" || fail "the name box never had the keyboard"
xdotool type --delay 50 "Xy"
xdotool windowclose "$menu"
echo "the hidden menu destroyed"
sleep 0.5
xdotool windowclose "$scores"
echo "the name window destroyed at $X,$Y with \"Xy\" typed"

back=$(wait_for_window Quillop) || fail "the menu did not come back"
grep -q $'^"Xy",[0-9]*,[0-9]*\r$' "$out/program/TopScores.txt" ||
    fail "the name typed was not kept: $(head -n 2 "$out/program/TopScores.txt")"
[ "$(wc -l <"$out/program/TopScores.txt")" = 15 ] || fail "the table is not 15 lines"
eval "$(xdotool getwindowgeometry --shell "$back")"
echo "menu back at $X,$Y; kept: $(grep '^"Xy"' "$out/program/TopScores.txt" | tr -d '\r')"

click_spot exit
expect_end "$APP_PID" Exit
echo "1 passed, 0 failed"
