# SPDX-FileCopyrightText: 2026 The Quillop developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# What desktop_checks.sh asks of a desktop, played on an X server through
# xdotool (XTEST reaches the X windows, which is all the game has there) and
# read from the window manager's _NET_CLIENT_LIST_STACKING.

# Each of the game's windows, bottom first, with its X window last.
windows() {
    local id name focused
    focused=$(xdotool getwindowfocus)
    for id in $(xprop -root _NET_CLIENT_LIST_STACKING | tr -d ',' | cut -d'#' -f2); do
        name=$(xprop -id "$id" _NET_WM_NAME 2>/dev/null | cut -d'"' -f2)
        case "$name" in Quillop*) ;; *) continue ;; esac
        eval "$(xdotool getwindowgeometry --shell "$id")"
        echo "${name// /_} $X $Y $WIDTH $HEIGHT $((focused == id ? 1 : 0)) $id"
    done
}
pointer_to() { xdotool mousemove "$1" "$2"; }
button() { xdotool "mouse$1" 1; }
escape() { xdotool key Escape; }
picture() { # x y width height file: from the topmost window there (a rootless X server's root shows nothing)
    local window left top id
    window=$(windows | awk -v x="$1" -v y="$2" '$2 <= x && x < $2 + $4 && $3 <= y && y < $3 + $5 { print $2, $3, $7 }' | tail -n 1)
    read -r left top id <<<"$window"
    import -window "$id" -crop "${3}x${4}+$(($1 - left))+$(($2 - top))" "$5"
}

# Starts the program on the X display and plays the shared checks on it as
# this desktop; returns as run_checks does.
play_checks_on_x() { # desktop, then the command that starts the program
    desktop=$1
    shift
    start_program "$out/program.log" "$@"
    app_pid=$APP_PID
    mode=x11
    set +e
    . "$(dirname "${BASH_SOURCE[0]}")/desktop_checks.sh"
    run_checks
}
