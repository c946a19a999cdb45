#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quillop developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The screenshots a software centre shows, taken from the real program under
# Xvfb: the menu as the game opens, and a game a few columns in. Each is
# compared with the copy kept in the repository, so a change to the look
# fails here until the copies are taken again (./dev.sh screenshots, which
# runs this with --update). What chance decides in a game (the well, the next
# column and the score) is left out of the comparison.
#
#   screenshots_e2e.sh <path to quillop> <work folder> <kept folder> [--update]
set -euo pipefail
program=$1
out=$2
kept=$3
update=${4:-}
. "$(dirname "$0")/xvfb.sh"
start_session "$out" 1280 1024

# A fresh player: the shipped table, no scores of their own.
mkdir -p "$out/program"
cp "$program" "$out/program/quillop"
cp "$(dirname "$program")/TopScores.txt" "$out/program/"
start_program "$out/program.log" "$out/program/quillop"
menu=$(wait_for_window Quillop) || fail "no menu appeared"
eval "$(xdotool getwindowgeometry --shell "$menu")"

shot() { # name: the window at X,Y as it is now
    import -window root -crop "470x600+$X+$Y" +repage "$out/$1.png"
}

# Pixels of the two pictures that differ by more than antialiasing does, with
# the given rectangles (x0,y0 x1,y1) painted over in both.
differing() { # a b rectangle...
    local a=$1 b=$2 masks=() rect
    shift 2
    for rect in "$@"; do masks+=(-draw "rectangle $rect"); done
    convert "$a" -fill black "${masks[@]}" "$out/a.png"
    convert "$b" -fill black "${masks[@]}" "$out/b.png"
    compare -metric AE -fuzz 12% "$out/a.png" "$out/b.png" null: 2>&1 || true
}

check() { # name rectangle...: against the kept copy, at most 0.2 % of the pixels apart
    local name=$1 n
    shift
    if [ "$update" = --update ]; then
        cp "$out/$name.png" "$kept/$name.png"
        echo "$name.png taken again"
        return 0
    fi
    [ -f "$kept/$name.png" ] || fail "no kept $name.png in $kept"
    n=$(differing "$out/$name.png" "$kept/$name.png" "$@")
    [ "${n%% *}" -le 564 ] 2>/dev/null ||
        fail "$name.png is not the kept one ($n pixels differ): take the screenshots again with ./dev.sh screenshots"
    echo "$name.png matches the kept copy ($n pixels differ)"
}

xdotool mousemove 0 0 # no item lit
sleep 0.5
shot menu
check menu

# Chance now and then deals a column of three equal pieces, which vanishes
# (and may end the level): a game where one did is played again, from a
# fresh start, so the picture is always six columns standing.
all_columns_stand() { # picture: a piece lit at the foot of each column played
    local x r g b
    for x in 24 82 140 198 256 314; do
        read -r r g b <<<"$(pixel "$1" "$x" 575)"
        [ $((r + g + b)) -gt 120 ] || return 1
    done
}

for attempt in 1 2 3 4 5 6; do
    click_spot new-game
    wait_for_window "Quillop - Game" >/dev/null || fail "New Game showed no game window"
    xdotool mousemove 0 0
    # Six columns hard-dropped into every other column of the well, where
    # no line can form across, then the next one falling. A column moves
    # sideways only once it is wholly in the well, some falls after it
    # appears.
    for moves in "Left Left Left Left Left" "Left Left Left" "Left" "Right" "Right Right Right" \
        "Right Right Right Right Right"; do
        sleep 1.5
        for key in $moves; do
            xdotool key "$key"
            sleep 0.2
        done
        xdotool key shift+Down
    done
    sleep 1.2
    shot game
    all_columns_stand "$out/game.png" && break
    [ "$attempt" -lt 6 ] || fail "six games in a row made a line by chance"
    echo "a line formed by chance (game $attempt); playing again"
    kill -TERM "$APP_PID"
    wait "$APP_PID" || fail "the program ended with status $?"
    start_program "$out/program.log" "$out/program/quillop"
    menu=$(wait_for_window Quillop) || fail "no menu appeared"
    eval "$(xdotool getwindowgeometry --shell "$menu")"
done
check game "10,10 328,589" "388,40 416,126" "344,560 456,576"

# A game is in progress, so the desktop's ending of the session ends it.
kill -TERM "$APP_PID"
wait "$APP_PID" || fail "the program ended with status $?"
echo "1 passed, 0 failed"
