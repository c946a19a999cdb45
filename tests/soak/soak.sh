#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quillop developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# A soak of the real program, built with AddressSanitizer and UBSan, under
# Xvfb with a window manager: random keys, clicks on every label button,
# drags of the background and close requests across every window, from a
# seed it prints. All the way through it checks that the program is alive
# and answers, that no sanitizer has reported, that only the windows the
# game allows are on screen (one full-size window, or the finished game
# under the window that came after it, plus at most the message window),
# that every window lies inside the screen, and that TopScores.txt is always
# fifteen CR LF lines that read back. A second loop kills the program with
# SIGKILL around saves and checks that the table on disk is always the old
# one or the new one.
#
#   soak.sh <sanitizer build folder> <minutes> [seed]
set -euo pipefail
build=$(cd "$1" && pwd)
minutes=$2
seed=${3:-$(date +%s)}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../e2e/xvfb.sh"
echo "soak: $minutes min, seed $seed"
RANDOM=$seed

work=$(mktemp -d)
trap 'kill "${APP_PID:-}" "${WM_PID:-}" 2>/dev/null || true; stop_x; rm -rf "$work"' EXIT
mkdir -p "$work/program" "$work/data"
cp "$build/quillop" "$work/program/"
cp -r "$build/Images" "$work/program/"
table=""
for i in $(seq 1 14); do table+="\"P$i\",$((1500 - 100 * i)),2"$'\r\n'; done
table+="\"LAST\",-1,1"$'\r\n' # every game over takes a name
printf '%s' "$table" >"$work/program/TopScores.txt"
scores="$work/program/TopScores.txt"

W=1280
H=1024
start_x $W $H
openbox >/dev/null 2>&1 &
WM_PID=$!
sleep 1

export XDG_DATA_HOME="$work/data" QT_QPA_PLATFORM=xcb
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:log_path=$work/asan"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:log_path=$work/asan"
export LSAN_OPTIONS="suppressions=$here/../lsan.supp:print_suppressions=0"

starts=0
launch() {
    "$work/program/quillop" >>"$work/program.log" 2>&1 &
    APP_PID=$!
    starts=$((starts + 1))
    wait_for_window Quillop >/dev/null || fail "no menu after start $starts: $(tail -5 "$work/program.log")"
}

sanitizer_clean() {
    if compgen -G "$work/asan*" >/dev/null && grep -qE "ERROR|runtime error|SUMMARY" "$work"/asan*; then
        cat "$work"/asan* >&2
        fail "a sanitizer reported (seed $seed)"
    fi
}

# "id x y w h title" of every window of the program on screen.
windows() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$APP_PID" --name '^Quillop' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)" || continue
        echo "$id $X $Y $WIDTH $HEIGHT $(xdotool getwindowname "$id" 2>/dev/null)"
    done
}

table_ok() { # file
    [ "$(wc -l <"$1")" = 15 ] || return 1
    [ "$(grep -c $'\r$' "$1")" = 15 ] || return 1
    ! grep -qvE $'^"[^"]*",-?[0-9]+,-?[0-9]+\r$' "$1"
}

# The windows on screen break no rule; a window manager maps a window a
# moment after the program asks, so a hand-over gets a second to settle.
check() {
    sanitizer_clean
    local try
    for try in 1 2 3 4 5; do
        windows_ok && break
        kill -0 "$APP_PID" 2>/dev/null || return 0 # ending after Exit
        if [ "$try" = 5 ]; then
            import -window root "${SOAK_SHOT:-/tmp/soak-failure.png}" 2>/dev/null || true
            fail "$why (seed $seed, after $inputs inputs; last: ${lastinput:-none})"
        fi
        sleep 0.3
    done
    table_ok "$scores" || fail "TopScores.txt is damaged: $(cat -A "$scores") (seed $seed)"
    # Answers: its windows are found within 5 s, unless it is ending because
    # the last input chose Exit (the sanitizer's leak check takes a while).
    timeout 5 xdotool search --pid "$APP_PID" --name '^Quillop' >/dev/null && return 0
    local wait
    for wait in $(seq 1 50); do
        kill -0 "$APP_PID" 2>/dev/null || return 0
        sleep 0.2
    done
    fail "the program does not answer (seed $seed, after $inputs inputs; last: ${lastinput:-none})"
}

windows_ok() {
    local list full dialogs titles
    list=$(windows)
    full=$(awk '$4 == 470 && $5 == 600' <<<"$list" | wc -l)
    dialogs=$(awk '$4 != 470 || $5 != 600' <<<"$list" | wc -l)
    titles=$(awk '$4 == 470 && $5 == 600 {$1 = $2 = $3 = $4 = $5 = ""; print}' <<<"$list" | sed 's/^ *//' | sort | tr '\n' '|')
    # Two only when one is the game that ended with a new high score, left
    # under whatever window came next.
    case "$full" in
    1) ;;
    2) [[ "$titles" == *"Quillop - Game"* ]] || { why="two full-size windows that may not share the screen: $titles"; return 1; } ;;
    *) why="$full full-size windows on screen: $titles"; return 1 ;;
    esac
    [ "$dialogs" -le 1 ] || { why="$dialogs message windows"; return 1; }
    awk -v W=$W -v H=$H '$2 < 0 || $3 < 0 || $2 + $4 > W || $3 + $5 > H {exit 1}' <<<"$list" ||
        { why="a window outside the screen: $list"; return 1; }
}

# The window the player acts on: a message window if one is open, else the
# topmost full-size one.
target() {
    local list
    list=$(windows)
    awk '$4 != 470 || $5 != 600' <<<"$list" | head -n 1 | grep . ||
        awk '$4 == 470 && $5 == 600' <<<"$list" | tail -n 1
}

pick() { # words...
    local words=("$@")
    echo "${words[RANDOM % ${#words[@]}]}"
}

# Label buttons by window, in the game's pixels within the window.
buttons_of() { # title width
    local name at
    case "$1" in
    Quillop) if [ "$2" = 470 ]; then
        for name in continue new-game high-scores instructions options exit credits; do
            at=$(spot "$name")
            printf '%s ' "${at/ /,}"
        done
    else
        echo "104,102 280,102 185,126"; fi ;;  # Yes, No, or the Ok of the controls notice
    "Quillop - Game") echo "" ;;
    "Quillop - Instructions") echo "136,40 329,40 240,564" ;;
    "Quillop - Options") echo "240,564 342,363 342,403 342,443 342,483" ;; # Ok and the four key boxes
    *) echo "240,564" ;;
    esac
}

inputs=0
lastinput=""
act() {
    local t id x y w h title action=drag
    t=$(target) || return 0
    read -r id x y w h title <<<"$t"
    xdotool windowactivate --sync "$id" 2>/dev/null || true
    case $((RANDOM % 10)) in
    0 | 1 | 2 | 3) action="key $(pick Left Right Up Down shift+Down ctrl+Down p Escape Return space a z 1 Tab)"
        xdotool key "${action#key }" ;;
    4 | 5 | 6)
        local spots
        read -r -a spots <<<"$(buttons_of "$title" "$w")"
        if [ ${#spots[@]} -gt 0 ]; then
            local spot=${spots[RANDOM % ${#spots[@]}]}
            action="click $spot"
            xdotool mousemove $((x + ${spot%,*})) $((y + ${spot#*,})) click 1
        else
            xdotool key shift+Down
        fi ;;
    7)
        # A drag of the background, kept inside the screen.
        if [ "$w" = 470 ]; then
            local dx=$((RANDOM % 41 - 20)) dy=$((RANDOM % 41 - 20))
            [ $((x + dx)) -ge 0 ] && [ $((x + dx + w)) -le $W ] || dx=0
            [ $((y + dy)) -ge 0 ] && [ $((y + dy + h)) -le $H ] || dy=0
            xdotool mousemove $((x + 5)) $((y + 300)) mousedown 1 sleep 0.5 mousemove $((x + 5 + dx / 2)) $((y + 300 + dy / 2)) \
                sleep 0.3 mousemove $((x + 5 + dx)) $((y + 300 + dy)) sleep 0.3 mouseup 1 sleep 0.3
        fi ;;
    8) action=typing; xdotool type --delay 20 "$(pick Ann Bo "Zed Q" x)" ;;
    9) if [ $((RANDOM % 4)) = 0 ]; then action=alt+F4; else action=shift+Down; fi; xdotool key "$action" ;;
    esac
    inputs=$((inputs + 1))
    lastinput="$title: $action"
    [ -z "${SOAK_TRACE:-}" ] || echo "$inputs $lastinput | $(windows | awk '{print $2","$3, $6, $7, $8}' | tr '\n' ';')" >&2
    sleep 0.$((RANDOM % 3 + 1))
}

launch
end=$((SECONDS + minutes * 60 * 2 / 3))
saves_seen=0
last=$(md5sum <"$scores")
while [ $SECONDS -lt $end ]; do
    act
    if ! kill -0 "$APP_PID" 2>/dev/null; then
        wait "$APP_PID" && status=0 || status=$?
        sanitizer_clean
        [ "$status" = 0 ] || fail "the program died with status $status (seed $seed): $(tail -5 "$work/program.log")"
        launch # the player chose Exit
        continue
    fi
    check
    now=$(md5sum <"$scores")
    [ "$now" = "$last" ] || saves_seen=$((saves_seen + 1))
    last=$now
done
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
sanitizer_clean
echo "random input: $inputs inputs, $starts starts, $saves_seen saves, no fault"

# Kills around saves: play to a game over, type a name, and kill the program
# after Enter, at a system call of the save chosen at random (strace, where
# it can attach) or a random moment later; the table is the old one or the
# new one, and no cut-off save's file outlives the next save.
kills=0
old_kept=0
save_calls=(flock openat fchmod write fdatasync linkat rename fsync)
tried_points=""
end=$((SECONDS + minutes * 60 / 3))
while [ $SECONDS -lt $end ]; do
    printf '%s' "$table" >"$scores" # so the game over takes a name
    cp "$scores" "$work/old.txt"
    launch
    eval "$(xdotool getwindowgeometry --shell "$(wait_for_window Quillop)")"
    click_spot new-game
    game=$(wait_for_window "Quillop - Game.*") || fail "no game in the kill loop (seed $seed)"
    deadline=$((SECONDS + 100))
    until xdotool search --onlyvisible --name '^Quillop - High Scores' >/dev/null 2>&1; do
        if [ $SECONDS -ge $deadline ]; then
            import -window root "${SOAK_SHOT:-/tmp/soak-failure.png}" 2>/dev/null || true
            fail "no game over in the kill loop (seed $seed)"
        fi
        drop
        sleep 1.2
    done
    wait_for_window "Quillop - High Scores.*" >/dev/null
    xdotool type --delay 10 "Kill$kills"
    call=${save_calls[RANDOM % ${#save_calls[@]}]}
    # A save makes each of these calls once, but opens and writes more.
    when=1
    case $call in openat | write) when=$((RANDOM % 3 + 1)) ;; esac
    strace -qq -o /dev/null -f -p "$APP_PID" -e trace="$call" -e inject="$call:signal=KILL:when=$when" 2>/dev/null &
    strace_pid=$!
    sleep 0.5 # attached to every thread
    xdotool key Return
    sleep "$(printf '0.%03d' $((RANDOM % 40)))" # 0 to 39 ms
    kill -0 "$strace_pid" 2>/dev/null && sleep 1 # strace attached: give the save its time
    if kill -0 "$APP_PID" 2>/dev/null; then
        point="a delay ($call #$when never came)"
        kill -KILL "$APP_PID"
    else
        point="$call #$when"
    fi
    tried_points+="$point; "
    wait "$APP_PID" 2>/dev/null || true
    kill "$strace_pid" 2>/dev/null || true
    wait "$strace_pid" 2>/dev/null || true
    kills=$((kills + 1))
    if cmp -s "$scores" "$work/old.txt"; then
        old_kept=$((old_kept + 1))
        continue
    fi
    table_ok "$scores" && grep -q "^\"Kill$((kills - 1))\"," "$scores" ||
        fail "after a kill at $point the table is neither the old nor the new one: $(cat -A "$scores") (seed $seed)"
done
sanitizer_clean
echo "kill points tried: $tried_points"
echo "kills around saves: $kills ($old_kept left the old table, $((kills - old_kept)) the new one), tables lost: 0"
echo "1 passed, 0 failed"
