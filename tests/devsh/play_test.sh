#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quillop developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# ./dev.sh play on a machine that has nothing, in a copy of the committed
# tree: apt is asked through stand-ins that record what was asked and
# install nothing, the game is built for real and started with --version.
# Checks that apt was asked for what the game needs and nothing a test
# needs, that the game alone was built, and that it runs.
#
#   play_test.sh <source folder> <work folder>
set -euo pipefail
src=$1
out=$2
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
command -v git >/dev/null && git -C "$src" rev-parse --git-dir >/dev/null 2>&1 ||
    { echo "not a git checkout: skipped"; exit 77; }
rm -rf "$out"
mkdir -p "$out/tree" "$out/bin"
git -C "$src" ls-files -z | (cd "$src" && tar --null -T - -cf -) | tar -xf - -C "$out/tree"

# Nothing is installed, and apt says what it was asked.
cat >"$out/bin/dpkg-query" <<'STANDIN'
#!/bin/sh
exit 1
STANDIN
cat >"$out/bin/apt-get" <<STANDIN
#!/bin/sh
echo "\$*" >>"$out/apt.log"
STANDIN
cat >"$out/bin/sudo" <<'STANDIN'
#!/bin/sh
exec "$@"
STANDIN
chmod +x "$out/bin/"*

PATH="$out/bin:$PATH" "$out/tree/dev.sh" play --version >"$out/play.log" 2>&1 ||
    fail "./dev.sh play failed: $(tail -n 5 "$out/play.log")"
version=$(tail -n 1 "$out/play.log")
[[ "$version" == quillop* ]] || fail "the game did not start: it said '$version'"
echo "the game built and started: $version"

asked=$(grep -E '(^| )install ' "$out/apt.log") || fail "apt was asked to install nothing"
for needed in g++ cmake qt6-base-dev qt6-qpa-plugins qt6-wayland libxcb1-dev libfontconfig-dev fonts-liberation2; do
    [[ " $asked " == *" $needed "* ]] || fail "apt was not asked for $needed: $asked"
done
for unneeded in libgtest-dev libbenchmark-dev xvfb xdotool openbox imagemagick sway weston xwayland grim wtype \
    clang clang-format-14 strace reuse dbus-daemon; do
    [[ " $asked " == *" $unneeded "* ]] && fail "apt was asked for $unneeded, which only the tests need"
done
echo "apt was asked for the game's needs only: ${asked#*--no-install-recommends }"

built=$(find "$out/tree/build-play" -type f -executable -name 'quillop*' -printf '%f\n' | sort | tr '\n' ' ')
tests=$(find "$out/tree/build-play" -type f -executable \( -name '*_tests' -o -name '*_bench' \) | wc -l)
[ "$tests" -eq 0 ] || fail "$tests test or benchmark executables were built"
echo "built: $built"
echo "3 passed, 0 failed"
