#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quillop developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# A dead key is a key like any other in Options. On X11 an input method takes
# a dead key's press for the character it starts, so no key press ever
# reaches the window; the box must still take the key and end its edit, and
# the key after it must not be swallowed with it.
#
#   deadkey_e2e.sh <path to quillop> <work folder>
set -euo pipefail
program=$1
out=$2
. "$(dirname "$0")/xvfb.sh"
start_session "$out" 1024 768
# The key beside P types ^ and ¨ as dead keys, as on a French keyboard.
xmodmap -e "keycode 34 = dead_circumflex dead_diaeresis"
start_program "$out/program.log" "$program"

eval "$(xdotool getwindowgeometry --shell "$(wait_for_window Quillop)")"
click_spot options
wait_for_window "Quillop - Options" >/dev/null || fail "Options showed no controls window"
click_spot left-box

# The Left box's colour beside its text: grey while chosen, black while it
# waits for a key.
box() { # shot
    import -window root "$out/$1.png"
    pixel "$out/$1.png" $((X + 390)) $((Y + 444))
}
xdotool key Return
sleep 0.3
[ "$(box editing)" = "0 0 0" ] || fail "Enter did not start an edit: $(box editing)"
xdotool key dead_circumflex
sleep 0.5
[ "$(box bound)" = "128 128 128" ] || fail "the dead key did not end the edit: $(box bound)"
xdotool key e
sleep 0.3
[ "$(box after)" = "128 128 128" ] || fail "the key after the dead key changed the box: $(box after)"
echo "a dead key binds like any other and takes no key with it"
echo "1 passed, 0 failed"
