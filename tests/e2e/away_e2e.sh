#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quillop developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The real program under openbox on Xvfb: a game falls while it has the
# keys; another program takes them and the well stands still for two
# seconds; the game window gets them back and the well still stands; the
# player's first key resumes the game.
#
#   away_e2e.sh <path to quillop> <work folder>
set -euo pipefail
program=$1
out=$2
. "$(dirname "$0")/xvfb.sh"
command -v openbox >/dev/null || { echo "openbox is not installed: skipped"; exit 77; }
start_session "$out" 1280 1024
export HOME="$out/home"
start_wm "$out/openbox.log" openbox --sm-disable

start_program "$out/program.log" "$program"
menu=$(wait_for_window Quillop) || fail "no menu appeared"
eval "$(xdotool getwindowgeometry --shell "$menu")"
click_spot new-game
game=$(wait_for_window "Quillop - Game") || fail "New Game showed no game window"
wait_for_focus "$game" || fail "the game window never had the keys"
xdotool mousemove 0 0

well() { # name: the game's well as it is now
    import -window root -crop "319x580+$((X + 10))+$((Y + 10))" +repage "$out/$1.png"
}
same() { # a b
    [ "$(compare -metric AE "$out/$1.png" "$out/$2.png" null: 2>&1 || true)" = 0 ]
}

sleep 1
well falling1
sleep 0.6
well falling2
same falling1 falling2 && fail "the game was not falling while it had the keys"
echo "the game falls while it has the keys"

xmessage -geometry +0+0 "another program" &
other=$!
trap 'kill "${APP_PID:-}" "${WM_PID:-}" "$other" 2>/dev/null || true; stop_x' EXIT
note=$(wait_for_window xmessage) || fail "the other program showed no window"
xdotool windowactivate "$note"
wait_for_focus "$note" || fail "the other program did not get the keys"
sleep 0.7 # the game hears of it, and lets a moment pass
well away1
sleep 2
well away2
same away1 away2 || fail "the well moved while another program had the keys"
echo "the game waits while another program has the keys"

xdotool windowactivate "$game"
wait_for_focus "$game" || fail "the game window did not get the keys back"
sleep 1
well back
same away2 back || fail "the game went on by itself when it got the keys back"
echo "the game still waits once it has the keys back"

xdotool key x # a key that does nothing else
sleep 1
well resumed
same back resumed && fail "a key did not resume the game"
echo "a key resumes it"

kill -TERM "$APP_PID"
wait "$APP_PID" || fail "the program ended with status $?"
echo "4 passed, 0 failed"
