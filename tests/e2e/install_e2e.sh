#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quillop developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The installed game: `cmake --install` into a fresh prefix, which is then
# made read-only, as a system-wide install is for a player. The installed
# program runs as an unprivileged player under Xvfb, shows the credits
# animation from its own folder, plays to a qualifying game over, and keeps
# the new table in the player's data folder, seeded from the installed one,
# which stays as it was.
#
#   install_e2e.sh <build folder> <work folder>
set -euo pipefail
build=$1
out=$2
if [ -d "$out" ]; then chmod -R u+w "$out"; fi
rm -rf "$out"
mkdir -p "$out"
. "$(dirname "$0")/xvfb.sh"

prefix="$out/prefix"
cmake --install "$build" --prefix "$prefix" >"$out/install.log"
home="$prefix/lib/quillop"
for f in bin/quillop lib/quillop/quillop lib/quillop/TopScores.txt lib/quillop/Images/Bouncing/bounce9.jpg \
    lib/quillop/screenshots/menu.png lib/quillop/screenshots/game.png \
    share/applications/org.quillop.Quillop.desktop share/metainfo/org.quillop.Quillop.metainfo.xml \
    share/icons/hicolor/48x48/apps/org.quillop.Quillop.png share/icons/hicolor/512x512/apps/org.quillop.Quillop.png; do
    [ -e "$prefix/$f" ] || fail "not installed: $f"
done
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/org.quillop.Quillop.desktop" || fail "desktop entry"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$prefix/share/metainfo/org.quillop.Quillop.metainfo.xml" >"$out/appstream.log" ||
        fail "metainfo: $(cat "$out/appstream.log")"
fi
version=$("$prefix/bin/quillop" --version 2>/dev/null || true)
[[ "$version" == "quillop "[0-9]* ]] || fail "--version says '$version'"
echo "installed, $version"

# A table whose last entry any final score beats, as it ships; then the
# whole prefix read-only.
table=""
for i in $(seq 1 14); do table+="\"P$i\",$((1500 - 100 * i)),2"$'\r\n'; done
table+="\"LAST\",-1,1"$'\r\n'
printf '%s' "$table" >"$home/TopScores.txt"
cp "$home/TopScores.txt" "$out/shipped.txt"
chmod -R a-w "$prefix"

# The player: an unprivileged user with a home of their own.
player=(env)
if [ "$(id -u)" = 0 ]; then
    player=(setpriv --reuid=65534 --regid=65534 --clear-groups env)
    chmod 755 "$out"
fi
mkdir -p "$out/home"
chmod 777 "$out/home"
"${player[@]}" touch "$home/probe" 2>/dev/null && fail "the player can write the install folder"

start_x 1280 1024
trap 'kill "${APP_PID:-}" 2>/dev/null || true; stop_x' EXIT
start_program "$out/program.log" "${player[@]}" HOME="$out/home" XDG_DATA_HOME="$out/home/data" XDG_RUNTIME_DIR= \
    "$prefix/bin/quillop"
menu=$(wait_for_window Quillop) || fail "the installed program showed no menu: $(cat "$out/program.log")"
eval "$(xdotool getwindowgeometry --shell "$menu")"
click() { xdotool mousemove $((X + $1)) $((Y + $2)) sleep 0.1 click 1 sleep 0.4; }

click $(spot credits)
wait_for_window "Quillop - Credits" >/dev/null || fail "no credits window"
sleep 0.5
import -window root "$out/credits.png"
lit=$(convert "$out/credits.png" -crop "74x94+$((X + 32))+$((Y + 424))" -threshold 20% -format '%[fx:mean*100]' info:)
awk -v m="$lit" 'BEGIN {exit !(m > 2)}' || fail "the credits animation shows nothing ($lit% lit)"
xdotool key Escape
wait_for_window Quillop >/dev/null
echo "credits animation read from the install folder"

click $(spot new-game)
game=$(wait_for_window "Quillop - Game") || fail "no game window"
deadline=$((SECONDS + 150))
until xdotool search --onlyvisible --name "^Quillop - High Scores\$" >/dev/null 2>&1; do
    kill -0 "$APP_PID" 2>/dev/null || fail "the program ended during the game: $(cat "$out/program.log")"
    if [ $SECONDS -ge $deadline ]; then
        import -window root "$out/never-ended.png"
        fail "the game never ended (see $out/never-ended.png)"
    fi
    drop
    sleep 1.2
done
xdotool type --delay 50 "Installed"
xdotool key Return
sleep 0.5

saved="$out/home/data/quillop/TopScores.txt"
[ -f "$saved" ] || fail "no table in the player's data folder: $(cat "$out/program.log")"
grep -qE $'^"Installed",[0-9]+,[0-9]+\r$' "$saved" || fail "the new entry is missing: $(cat -A "$saved")"
grep -q $'^"P14",100,2\r$' "$saved" || fail "the table was not seeded from the installed one"
cmp -s "$home/TopScores.txt" "$out/shipped.txt" || fail "the installed table changed"
echo "the new table is in the player's data folder; the installed one is untouched"
echo "1 passed, 0 failed"
