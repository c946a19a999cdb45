#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quillop developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Times the real program under Xvfb beside the smallest Qt Widgets window
# built in the same run: start to the first pixel on screen (read through
# shared memory, the two programs alternated), resident memory, and CPU and
# wake-ups over 10 s (the credits 30 s) at every window: the floor idle, the menu, the game
# playing and paused, the high-score, controls, instructions and credits
# windows.
#
#   bench/program_bench.sh <build folder> [runs]
set -euo pipefail
build=$(cd "$1" && pwd)
runs=${2:-5}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../tests/e2e/xvfb.sh"

start_x 1280 1024
trap 'stop_x' EXIT

now_ms() { echo $(($(date +%s%N) / 1000000)); }

cpu_ns() { # pid: CPU time of all its threads so far, in nanoseconds (the
    # scheduler's own count; the 10 ms ticks of /proc/PID/stat are too coarse
    # for a window that works a millisecond a second)
    cat "/proc/$1/task/"*/schedstat 2>/dev/null | awk '{n += $1} END {printf "%d", n}'
}

rss_kb() { # pid
    awk '/^VmRSS/ {print $2}' "/proc/$1/status"
}

# Resident memory of a program 2 s after its window is up.
resident() { # program title
    local pid
    "$1" >"$tmp/$2.log" 2>&1 &
    pid=$!
    wait_for_window "$2" >/dev/null || fail "$1 showed no window: $(cat "$tmp/$2.log")"
    sleep 2
    rss_kb "$pid"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}

median() {
    sort -n | awk '{a[NR] = $1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'
}

# Start to first frame, the floor and the game taking turns so that a
# slower moment of the machine falls on both alike.
first_frames() {
    local _
    for _ in $(seq 1 "$runs"); do
        "$build/quillop_first_frame" "$build/quillop_minimal_window" >>"$tmp/floor.frames"
        "$build/quillop_first_frame" "$build/quillop" >>"$tmp/game.frames"
    done
}

wakeups() { # pid: voluntary context switches of its user-interface thread so far
    awk '/^voluntary_ctxt_switches/ {print $2}' "/proc/$1/status"
}

# "cpu% wakeups/s" of the program over the given seconds.
usage() { # pid seconds
    local t0 w0 t1 w1
    t0=$(cpu_ns "$1")
    w0=$(wakeups "$1")
    sleep "$2"
    t1=$(cpu_ns "$1")
    w1=$(wakeups "$1")
    awk -v d=$((t1 - t0)) -v w=$((w1 - w0)) -v s="$2" 'BEGIN {printf "%.2f %.1f", 100 * d / 1e9 / s, w / s}'
}

tmp=$(mktemp -d)
export XDG_DATA_HOME="$tmp/data" # the player's own scores stay untouched
export XDG_RUNTIME_DIR="$tmp/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
first_frames
floor_frame=$(median <"$tmp/floor.frames")
game_frame=$(median <"$tmp/game.frames")
floor_rss=$(resident "$build/quillop_minimal_window" Minimal)
game_rss=$(resident "$build/quillop" Quillop)

# CPU and wake-ups: the floor idle, then every window of the game in turn.
"$build/quillop_minimal_window" >/dev/null 2>&1 &
floor_pid=$!
sleep 2
floor_idle=$(usage "$floor_pid" 10)
kill "$floor_pid"

"$build/quillop" >/dev/null 2>&1 &
pid=$!
menu=$(wait_for_window Quillop)
eval "$(xdotool getwindowgeometry --shell "$menu")"
click() { xdotool mousemove $((X + $1)) $((Y + $2)) sleep 0.1 click 1 sleep 0.5; }
park() { xdotool mousemove 5 5 sleep 1; } # the mouse off the window, as a player's rests
declare -A cpu
park
cpu[menu]=$(usage "$pid" 10)
click $(spot new-game)
park
cpu[playing]=$(usage "$pid" 10)
xdotool key p sleep 0.5
cpu[paused]=$(usage "$pid" 10)
xdotool key Escape sleep 0.5
for item in "high-score window:High Scores:high-scores" "controls window:Options:options" \
    "instructions window:Instructions:instructions" "credits window:Credits:credits"; do
    IFS=: read -r name title at <<<"$item"
    click $(spot "$at")
    wait_for_window "Quillop - $title" >/dev/null || fail "no $name"
    park
    # The credits, which work all the time, for longer: their figure sits
    # near its target, and the count is of the whole time.
    cpu[$name]=$(usage "$pid" "$([ "$name" = "credits window" ] && echo 30 || echo 10)")
    xdotool key Escape
    wait_for_window Quillop >/dev/null || fail "Escape did not leave the $name"
done
kill "$pid"
echo "first frames, ms: minimal $(tr '\n' ' ' <"$tmp/floor.frames")| Quillop $(tr '\n' ' ' <"$tmp/game.frames")" >&2
rm -rf "$tmp"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
printf '%-28s %12s %12s %8s\n' "median of $runs runs" "minimal Qt" "Quillop" "ratio"
printf '%-28s %10s ms %10s ms %8s\n' "start to first frame" "$floor_frame" "$game_frame" "$(ratio "$game_frame" "$floor_frame")"
printf '%-28s %10s MB %10s MB %8s\n' "resident memory" "$((floor_rss / 1024))" "$((game_rss / 1024))" "$(ratio "$game_rss" "$floor_rss")"
printf '\n%-28s %12s %12s\n' "over 10 s (credits 30 s)" "% of a core" "wake-ups/s"
read -r c w <<<"$floor_idle"
printf '%-28s %12s %12s\n' "minimal Qt, idle" "$c" "$w"
for name in menu playing paused "high-score window" "controls window" "instructions window" "credits window"; do
    read -r c w <<<"${cpu[$name]}"
    printf '%-28s %12s %12s\n' "Quillop, $name" "$c" "$w"
done
