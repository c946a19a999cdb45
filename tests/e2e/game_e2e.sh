#!/usr/bin/env bash
# The real program under Xvfb: the game window appears 470 x 600 in the
# middle of the screen, columns fall on their own, and a hard drop puts the
# column into the bottom rows of the centre column.
#
#   game_e2e.sh <path to quillop> <folder for screenshots>
set -euo pipefail
program=$1
out=$2
mkdir -p "$out"
. "$(dirname "$0")/xvfb.sh"

start_x 1280 1024
trap 'kill "${APP_PID:-}" 2>/dev/null || true; stop_x' EXIT

"$program" >"$out/program.log" 2>&1 &
APP_PID=$!
win=$(wait_for_window Quillop) || fail "no game window appeared"
eval "$(xdotool getwindowgeometry --shell "$win")"
[ "$WIDTH" = 470 ] && [ "$HEIGHT" = 600 ] || fail "window is ${WIDTH}x${HEIGHT}"
[ "$X" = $(((1280 - 470) / 2)) ] && [ "$Y" = $(((1024 - 600) / 2)) ] || fail "window at $X,$Y is not centred"
echo "window ${WIDTH}x${HEIGHT} at $X,$Y"

board="319x580+$((X + 10))+$((Y + 10))"
import -window root -crop "$board" "$out/fall1.png"
sleep 1.2
import -window root -crop "$board" "$out/fall2.png"
changed=$(compare -metric AE "$out/fall1.png" "$out/fall2.png" null: 2>&1 || true)
[ "${changed%% *}" -gt 0 ] 2>/dev/null || fail "the board did not change on its own ($changed)"
echo "columns fall: $changed pixels changed in 1.2 s"

xdotool key shift+Down
# The column lands at the next tick and holds the game for a second.
sleep 2.5
import -window root "$out/after-drop.png"
for row in 21 22 23; do
    read -r r g b <<<"$(pixel "$out/after-drop.png" $((X + 10 + 5 * 29 + 6)) $((Y + 10 + (row - 4) * 29 + 22)))"
    if [ "$r" -lt 40 ] && [ "$g" -lt 40 ] && [ "$b" -lt 40 ]; then
        fail "row $row of the centre column is empty after a hard drop ($r,$g,$b)"
    fi
done
echo "hard drop landed in rows 21 to 23 of the centre column"
kill -0 "$APP_PID" || fail "the program has ended"
echo "1 passed, 0 failed"
