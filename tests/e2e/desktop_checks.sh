# SPDX-FileCopyrightText: 2026 The Quillop developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The checks that a desktop's end-to-end script plays on the game, sourced
# by the script once it has started the game (app_pid) and set `desktop`
# and `mode` (x11, xwayland or wayland). The script gives what only it knows how to do:
#   windows         one line "title x y width height focused" for each of
#                   the game's windows, bottom first, spaces in titles as _
#   pointer_to X Y  the pointer to X, Y on the screen, in one step
#   button down|up  the left button
#   escape          the Escape key, pressed and released
#   picture X Y W H FILE   that part of the screen, as a picture
# SCALE screen pixels make one of the game's (1 unless told).
# run_checks prints a line for each check and returns non-zero if one failed.

at_x=0 at_y=0
S=${SCALE:-1}
# Moves the pointer as a hand does, a few pixels at a time. One long jump
# from one window into another is no mouse's: XWayland, told where the
# pointer entered the window, moves it by the jump again.
move() { # x y
    local dx=$(($1 - at_x)) dy=$(($2 - at_y)) steps i
    steps=$(((${dx#-} > ${dy#-} ? ${dx#-} : ${dy#-}) / 8 + 1))
    for i in $(seq 1 $steps); do
        pointer_to $((at_x + dx * i / steps)) $((at_y + dy * i / steps))
    done
    at_x=$1 at_y=$2
}
# A hand comes to rest on what it clicks: sway gives the pointer to a window
# that has just appeared under a resting mouse only once the mouse moves.
click() { # x y
    move $(($1 - 3)) $(($2 - 3))
    move "$1" "$2"
    sleep 0.15
    button down
    sleep 0.06
    button up
    sleep 0.4
}
wait_for() { # title width: sets X Y W H FOCUS once the window stands still
    local deadline=$((SECONDS + 20)) at last=""
    while [ $SECONDS -lt $deadline ]; do
        at=$(windows | awk -v t="$1" -v w="$2" '$1 == t && $4 == w { print $2, $3, $4, $5, $6; exit }')
        if [ -n "$at" ] && [ "$at" = "$last" ]; then
            read -r X Y W H FOCUS <<<"$at"
            return 0
        fi
        last=$at
        sleep 0.2
    done
    return 1
}
on_top() { windows | tail -n 1 | awk '{ print $1, $4, $6 }'; }
near() { [ "$(($1 - $2))" -ge -2 ] && [ "$(($1 - $2))" -le 2 ]; }
failed=0
check() { # what, then a command that passes or fails
    local what=$1
    shift
    if "$@"; then
        echo "$desktop $mode: $what: PASS"
    else
        echo "$desktop $mode: $what: FAIL"
        failed=$((failed + 1))
    fi
}

run_checks() {
    wait_for Quillop $((S * 470)) || {
        echo "$desktop $mode: no menu appeared"
        return 1
    }
    local menu_x=$X menu_y=$Y ask_x ask_y i yellow
    echo "$desktop $mode: menu at $X,$Y"

    # A drag of the background: pressed, twenty moves 20 ms apart, released.
    move $((X + S * 5)) $((Y + S * 300))
    sleep 0.2
    button down
    sleep 0.15
    for i in $(seq 1 20); do
        pointer_to $((X + S * 5 + 5 * i)) $((Y + S * 300 + 2 * i))
        sleep 0.02
    done
    at_x=$((X + S * 105)) at_y=$((Y + S * 340))
    button up
    sleep 0.5
    wait_for Quillop $((S * 470))
    check "a drag of 100,40 moves the menu by it (to $X,$Y)" eval 'near $((X - menu_x)) 100 && near $((Y - menu_y)) 40'
    menu_x=$X menu_y=$Y

    # Right after it, the item under the mouse lights.
    move $((X + S * 370)) $((Y + S * 370))
    move $((X + S * 381)) $((Y + S * 374))
    sleep 0.4
    picture $((X + S * 317)) $((Y + S * 362)) $((S * 129)) $((S * 25)) "$out/lit.png"
    yellow=$(convert "$out/lit.png" -fx 'r > 0.8 && g > 0.8 && b < 0.4 ? 1 : 0' \
        -format '%[fx:int(mean * w * h + 0.5)]' info: 2>/dev/null)
    check "New Game lights under the mouse right after the drag (${yellow:-no} yellow pixels)" test "${yellow:-0}" -gt $((S * S * 20))

    # On X the game knows its places; on Wayland the compositor has them.
    # Five round trips, New Game and then Continue Game: a window that opened
    # a little off its place would wander further each time.
    local trip trips=5 item=374 # New Game
    [ "$mode" != wayland ] || trips=1
    for trip in $(seq 1 $trips); do
        click $((X + S * 381)) $((Y + S * item))
        item=326 # Continue Game
        check "the menu shows the game ($trip)" wait_for Quillop_-_Game $((S * 470))
        [ "$mode" = wayland ] || check "the game opens where the menu stood ($X,$Y, trip $trip)" test "$X,$Y" = "$menu_x,$menu_y"
        escape
        sleep 0.5
        check "Escape brings the menu back ($trip)" wait_for Quillop $((S * 470))
        [ "$mode" = wayland ] || check "the menu comes back where it stood ($X,$Y, trip $trip)" test "$X,$Y" = "$menu_x,$menu_y"
    done
    menu_x=$X menu_y=$Y

    click $((X + S * 381)) $((Y + S * 566)) # Exit, with a game in progress
    check "Exit asks" wait_for Quillop $((S * 385))
    if [ "$mode" != wayland ]; then
        check "the question opens centred over the menu (at $X,$Y, menu at $menu_x,$menu_y)" \
            eval 'near $((X - menu_x)) $((S * 42)) && near $((Y - menu_y)) $((S * 235))'
    else
        echo "$desktop $mode: the question opens where the compositor puts it (at $X,$Y, menu at $menu_x,$menu_y): INFO"
    fi
    check "the question opens on top with the keys ($(on_top))" test "$(on_top)" = "Quillop $((S * 385)) 1"
    ask_x=$X ask_y=$Y
    click $((menu_x + S * 30)) $((menu_y + S * 560)) # the menu beside the question
    check "after a click on the menu beside it the question is still on top with the keys ($(on_top))" \
        test "$(on_top)" = "Quillop $((S * 385)) 1"
    click $((ask_x + S * 104)) $((ask_y + S * 102)) # Yes
    for i in $(seq 1 50); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    check "Yes ends the program" eval '! kill -0 "$app_pid" 2>/dev/null'
    echo "$((failed == 0 ? 1 : 0)) passed, $((failed == 0 ? 0 : 1)) failed"
    [ "$failed" -eq 0 ]
}
