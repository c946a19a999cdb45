#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quillop developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The real program under Xvfb, a whole game: the menu appears centred, Left
# is bound to A in Options, New Game shows the falling columns and A moves
# them, Escape goes back to the menu and Continue
# Game resumes, hard drops fill the centre column until the game is over,
# the name typed in the high-score window lands in TopScores.txt, and Exit
# ends the program.
#
#   game_e2e.sh <path to quillop> <work folder>
set -euo pipefail
program=$1
out=$2
rm -rf "$out"
mkdir -p "$out/program" "$out/data"
. "$(dirname "$0")/xvfb.sh"

# The program reads its table from its own folder: a copy of it runs beside
# a table whose last entry any final score beats.
cp "$program" "$out/program/quillop"
table=""
for i in $(seq 1 14); do table+="\"P$i\",$((1500 - 100 * i)),2"$'\r\n'; done
table+="\"LAST\",-1,1"$'\r\n'
printf '%s' "$table" >"$out/program/TopScores.txt"
export XDG_DATA_HOME="$out/data"

start_x 1280 1024
trap 'kill "${APP_PID:-}" 2>/dev/null || true; stop_x' EXIT

start_program "$out/program.log" "$out/program/quillop"
menu=$(wait_for_window Quillop) || fail "no menu appeared"
eval "$(xdotool getwindowgeometry --shell "$menu")"
[ "$WIDTH" = 470 ] && [ "$HEIGHT" = 600 ] || fail "menu is ${WIDTH}x${HEIGHT}"
[ "$X" = $(((1280 - 470) / 2)) ] && [ "$Y" = $(((1024 - 600) / 2)) ] || fail "menu at $X,$Y is not centred"
echo "menu ${WIDTH}x${HEIGHT} at $X,$Y"

click() { # x y within the window
    xdotool mousemove $((X + $1)) $((Y + $2)) sleep 0.1 click 1
    sleep 0.4
}
visible() { # title
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1
}

click $(spot options)
wait_for_window "Quillop - Options" >/dev/null || fail "Options showed no controls window"
click $(spot left-box)
xdotool key Return a
click $(spot ok) # "Save changes?"
click $(spot yes)
wait_for_window Quillop >/dev/null || fail "the controls window did not return to the menu"
echo "Left bound to A"

click $(spot new-game)
game=$(wait_for_window "Quillop - Game") || fail "New Game showed no game window"
visible Quillop && fail "the menu is still shown during the game"
eval "$(xdotool getwindowgeometry --shell "$game")"
echo "game at $X,$Y"

board="319x580+$((X + 10))+$((Y + 10))"
import -window root -crop "$board" "$out/fall1.png"
sleep 1.2
import -window root -crop "$board" "$out/fall2.png"
changed=$(compare -metric AE "$out/fall1.png" "$out/fall2.png" null: 2>&1 || true)
[ "${changed%% *}" -gt 0 ] 2>/dev/null || fail "the board did not change on its own ($changed)"
echo "columns fall: $changed pixels changed in 1.2 s"

# The falling column enters the centre column; A moves it one to the left.
# The column falls a row every 250 ms, so the game is paused (P) for every
# look, and the column is found wherever it is. A column moved sideways
# shows again at its next drop.
pieces() { # screenshot column: one digit a visible row (4 to 23), 1 where a piece lies
    convert "$1" -crop "1x580+$((X + 10 + ($2 - 1) * 29 + 6))+$((Y + 10))" -depth 8 txt:- |
        awk 'NR > 1 { split($0, f, /[^0-9]+/) }
             NR > 1 && (f[2] - 22) % 29 == 0 { printf "%d", (f[3] > 60 || f[4] > 60 || f[5] > 60) }'
}
look() { # file: the game paused, on screen
    xdotool key p
    sleep 0.3
    import -window root "$1"
}
falling="" # the centre column with the whole falling column in sight, above the floor
for attempt in $(seq 1 40); do
    look "$out/paused.png"
    centre=$(pieces "$out/paused.png" 6)
    if [[ "$centre" =~ ^0*1110{4,}$ ]]; then
        falling=$centre
        break
    fi
    xdotool key p # on again
    sleep 0.2
done
[ -n "$falling" ] || fail "no falling column in sight in the centre column (last: $centre)"
xdotool key a
sleep 0.4
look "$out/moved.png"
left=$(pieces "$out/moved.png" 5)
centre=$(pieces "$out/moved.png" 6)
[[ "$left" =~ ^0*1110+$ ]] && [[ "$centre" =~ ^0+$ ]] ||
    fail "A did not move the column to the left (before: column 6 $falling; after: column 5 $left, column 6 $centre)"
echo "A moves the column left: column 6 $falling, then column 5 $left"
xdotool key p # the game goes on

xdotool key Escape
wait_for_window Quillop >/dev/null || fail "Escape did not bring the menu back"
visible "Quillop - Game" && fail "the game is still shown at the menu"
click $(spot continue)
wait_for_window "Quillop - Game" >/dev/null || fail "Continue Game did not bring the game back"
echo "Escape and Continue Game"

# Hard drops into the centre column until the game is over.
game=$(wait_for_window "Quillop - Game")
deadline=$((SECONDS + 100))
until visible "Quillop - High Scores"; do
    if [ $SECONDS -ge $deadline ]; then
        import -window root "$out/end.png"
        fail "the game never ended"
    fi
    drop
    sleep 1.2
done
scores=$(wait_for_window "Quillop - High Scores")
visible "Quillop - Game" || fail "the finished game is not under the high-score window"
echo "game over, new high score"

wait_for_focus "$scores" || fail "the name box never had the keyboard (focus on $(xdotool getwindowfocus) $(xdotool getwindowfocus getwindowname), scores $scores)"
xdotool type --delay 50 "E2E"
xdotool key Return
sleep 0.5
file="$out/program/TopScores.txt"
[ "$(grep -c $'\r$' "$file")" = 15 ] && [ "$(wc -l <"$file")" = 15 ] || fail "TopScores.txt is not 15 CR LF lines"
grep -qE $'^"E2E",[0-9]+,[0-9]+\r$' "$file" || fail "the new entry is not in TopScores.txt: $(cat -A "$file")"
grep -q '^"LAST"' "$file" && fail "the last entry was not dropped"
grep -q $'^"P14",100,2\r$' "$file" || fail "older entries were lost"
echo "TopScores.txt: $(grep '^"E2E"' "$file" | tr -d '\r')"

eval "$(xdotool getwindowgeometry --shell "$scores")"
click $(spot ok)
wait_for_window Quillop >/dev/null || fail "Ok did not bring the menu back"
click $(spot exit)
expect_end "$APP_PID" Exit
echo "1 passed, 0 failed"
