#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quillop developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The Debian package as a player gets it: installed, /usr/games/quillop
# starts and shows its menu under Xvfb, its data sits in
# /usr/share/games/quillop with the manual page and metadata beside it, and
# a score goes to the player's data folder. Removes the package again.
#
#   package_e2e.sh <quillop .deb> <work folder>
set -euo pipefail
deb=$(realpath "$1")
out=$2
rm -rf "$out"
mkdir -p "$out"
. "$(dirname "$0")/xvfb.sh"

dpkg -i "$deb" >/dev/null
trap 'kill "${APP_PID:-}" 2>/dev/null || true; stop_x; dpkg -r quillop >/dev/null || true' EXIT
for file in /usr/games/quillop /usr/share/games/quillop/TopScores.txt \
    /usr/share/games/quillop/Images/Bouncing/bounce1.jpg /usr/share/games/quillop/screenshots/menu.png \
    /usr/share/games/quillop/screenshots/game.png /usr/share/man/man6/quillop.6.gz \
    /usr/share/metainfo/org.quillop.Quillop.metainfo.xml /usr/share/applications/org.quillop.Quillop.desktop; do
    [ -e "$file" ] || fail "the package has no $file"
done
[ "$(/usr/games/quillop --version)" = "quillop 1.0.0" ] || fail "--version says $(/usr/games/quillop --version)"

start_x 1024 768
export XDG_DATA_HOME="$out/data"
start_program "$out/program.log" /usr/games/quillop
menu=$(wait_for_window Quillop) || fail "the installed game showed no menu"
eval "$(xdotool getwindowgeometry --shell "$menu")"
# The credits read their animation from the installed data folder.
click_spot credits
wait_for_window "Quillop - Credits" >/dev/null || fail "no credits window"
# The middle of the left animation box: black while no frame could be read.
frame="0 0 0"
for _ in $(seq 1 20); do
    sleep 0.5
    import -window root "$out/credits.png"
    frame=$(pixel "$out/credits.png" $((X + 69)) $((Y + 471)))
    [ "$frame" != "0 0 0" ] && break
done
[ "$frame" != "0 0 0" ] || fail "the credits found no animation frames in /usr/share/games/quillop"
echo "installed: /usr/games/quillop starts, shows its menu and credits, data in /usr/share/games/quillop"
echo "1 passed, 0 failed"
