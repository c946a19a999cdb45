#!/usr/bin/env bash
# Times the real program under Xvfb beside the smallest Qt Widgets window
# built in the same run: start to mapped window, start to painted window,
# resident memory, and CPU used over 10 s paused (the game) or idle (the
# floor), plus 10 s of play.
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

# Percent of one core used by the program over the given seconds.
cpu_percent() { # pid seconds
    local before after
    before=$(cpu_ticks "$1")
    sleep "$2"
    after=$(cpu_ticks "$1")
    awk -v d=$((after - before)) -v hz="$hz" -v s="$2" 'BEGIN {printf "%.2f", 100 * d / hz / s}'
}

tmp=$(mktemp -d)
read -r floor_map floor_paint floor_rss <<<"$(measure "$build/quillop_minimal_window" Minimal)"
read -r game_map game_paint game_rss <<<"$(measure "$build/quillop" Quillop)"

# CPU: the floor idle, the game paused and playing.
"$build/quillop_minimal_window" >/dev/null 2>&1 &
floor_pid=$!
sleep 2
floor_idle=$(cpu_percent "$floor_pid" 10)
kill "$floor_pid"

"$build/quillop" >/dev/null 2>&1 &
game_pid=$!
win=$(wait_for_window Quillop)
sleep 1
xdotool key p
sleep 0.5
game_paused=$(cpu_percent "$game_pid" 10)
xdotool key p
game_playing=$(cpu_percent "$game_pid" 10)
kill "$game_pid"
rm -rf "$tmp"

ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
printf '%-28s %12s %12s %8s\n' "median of $runs runs" "minimal Qt" "Quillop" "ratio"
printf '%-28s %10s ms %10s ms %8s\n' "start to mapped window" "$floor_map" "$game_map" "$(ratio "$game_map" "$floor_map")"
printf '%-28s %10s ms %10s ms %8s\n' "start to painted window" "$floor_paint" "$game_paint" "$(ratio "$game_paint" "$floor_paint")"
printf '%-28s %10s MB %10s MB %8s\n' "resident memory" "$((floor_rss / 1024))" "$((game_rss / 1024))" "$(ratio "$game_rss" "$floor_rss")"
printf '%-28s %11s%% %11s%%\n' "CPU over 10 s idle/paused" "$floor_idle" "$game_paused"
printf '%-28s %12s %11s%%\n' "CPU over 10 s of play" "-" "$game_playing"
