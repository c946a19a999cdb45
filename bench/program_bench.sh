#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quillop developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Times the real program under Xvfb beside the smallest Qt Widgets window
# built in the same run: start to the mapped and to the painted menu,
# resident memory, and CPU and wake-ups over 10 s at every window: the
# floor idle, the menu, the game playing and paused, the high-score,
# controls, instructions and credits windows.
#
#   bench/program_bench.sh <build folder> [runs]
set -euo pipefail
build=$(cd "$1" && pwd)
runs=${2:-5}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../tests/e2e/xvfb.sh"

start_x 1280 1024
trap 'stop_x' EXIT
hz=$(getconf CLK_TCK)

now_ms() { echo $(($(date +%s%N) / 1000000)); }

cpu_ticks() { # pid
    awk '{print $14 + $15}' "/proc/$1/stat"
}

rss_kb() { # pid
    awk '/^VmRSS/ {print $2}' "/proc/$1/status"
}

# Runs one program once; prints "mapped_ms painted_ms rss_kb".
launch() { # program title
    local start pid win mapped painted x y
    start=$(now_ms)
    "$1" >"$tmp/$2.log" 2>&1 &
    pid=$!
    until win=$(xdotool search --onlyvisible --name "^$2\$" 2>/dev/null | head -n 1) && [ -n "$win" ]; do
        kill -0 "$pid" 2>/dev/null || fail "$1 ended before showing its window: $(cat "$tmp/$2.log")"
        [ $(($(now_ms) - start)) -lt 15000 ] || fail "$1 showed no window in 15 s"
        sleep 0.002
    done
    mapped=$(($(now_ms) - start))
    eval "$(xdotool getwindowgeometry --shell "$win")"
    x=$((X + 465))
    y=$((Y + 300))
    until read -r r g b <<<"$(pixel_root "$x" "$y")" && [ "$g" -gt 50 ] && [ "$g" -gt "$r" ]; do
        [ $(($(now_ms) - start)) -lt 15000 ] || fail "$1 painted nothing in 15 s"
        sleep 0.002
    done
    painted=$(($(now_ms) - start))
    sleep 2
    echo "$mapped $painted $(rss_kb "$pid")"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}

pixel_root() { # x y
    import -silent -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | tail -n 1 |
        sed -E 's/.*\(([0-9]+),([0-9]+),([0-9]+).*/\1 \2 \3/'
}

median() {
    sort -n | awk '{a[NR] = $1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'
}

measure() { # program title -> "mapped painted rss"
    local results=()
    local result
    for _ in $(seq 1 "$runs"); do
        result=$(launch "$1" "$2") || exit 1
        results+=("$result")
    done
    printf '%s\n' "${results[@]}" >"$tmp/$2.runs"
    echo "$(cut -d' ' -f1 "$tmp/$2.runs" | median) $(cut -d' ' -f2 "$tmp/$2.runs" | median) $(cut -d' ' -f3 "$tmp/$2.runs" | median)"
}

wakeups() { # pid: voluntary context switches of its user-interface thread so far
    awk '/^voluntary_ctxt_switches/ {print $2}' "/proc/$1/status"
}

# "cpu% wakeups/s" of the program over the given seconds.
usage() { # pid seconds
    local t0 w0 t1 w1
    t0=$(cpu_ticks "$1")
    w0=$(wakeups "$1")
    sleep "$2"
    t1=$(cpu_ticks "$1")
    w1=$(wakeups "$1")
    awk -v d=$((t1 - t0)) -v w=$((w1 - w0)) -v hz="$hz" -v s="$2" 'BEGIN {printf "%.2f %.1f", 100 * d / hz / s, w / s}'
}

tmp=$(mktemp -d)
read -r floor_map floor_paint floor_rss <<<"$(measure "$build/quillop_minimal_window" Minimal)"
read -r game_map game_paint game_rss <<<"$(measure "$build/quillop" Quillop)"

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
click 381 374 # New Game
park
cpu[playing]=$(usage "$pid" 10)
xdotool key p sleep 0.5
cpu[paused]=$(usage "$pid" 10)
xdotool key Escape sleep 0.5
for item in "high-score window:High Scores:381 422" "controls window:Options:381 518" \
    "instructions window:Instructions:381 470" "credits window:Credits:436 30"; do
    IFS=: read -r name title spot <<<"$item"
    read -r cx cy <<<"$spot"
    click "$cx" "$cy"
    wait_for_window "Quillop - $title" >/dev/null || fail "no $name"
    park
    cpu[$name]=$(usage "$pid" 10)
    xdotool key Escape
    wait_for_window Quillop >/dev/null || fail "Escape did not leave the $name"
done
kill "$pid"
rm -rf "$tmp"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
printf '%-28s %12s %12s %8s\n' "median of $runs runs" "minimal Qt" "Quillop" "ratio"
printf '%-28s %10s ms %10s ms %8s\n' "start to mapped window" "$floor_map" "$game_map" "$(ratio "$game_map" "$floor_map")"
printf '%-28s %10s ms %10s ms %8s\n' "start to painted window" "$floor_paint" "$game_paint" "$(ratio "$game_paint" "$floor_paint")"
printf '%-28s %10s MB %10s MB %8s\n' "resident memory" "$((floor_rss / 1024))" "$((game_rss / 1024))" "$(ratio "$game_rss" "$floor_rss")"
printf '\n%-28s %12s %12s\n' "over 10 s" "% of a core" "wake-ups/s"
read -r c w <<<"$floor_idle"
printf '%-28s %12s %12s\n' "minimal Qt, idle" "$c" "$w"
for name in menu playing paused "high-score window" "controls window" "instructions window" "credits window"; do
    read -r c w <<<"${cpu[$name]}"
    printf '%-28s %12s %12s\n' "Quillop, $name" "$c" "$w"
done
