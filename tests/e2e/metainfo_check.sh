#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quillop developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The AppStream metainfo as the build writes it: without a web address for
# the screenshots (the project's own build) and with one (a store that
# publishes them; example.org stands for its address). Both pass
# appstreamcli; the second lists the kept screenshots at their true size.
#
#   metainfo_check.sh <source folder> <work folder>
set -euo pipefail
src=$1
out=$2
rm -rf "$out"
mkdir -p "$out"
. "$(dirname "$0")/xvfb.sh" # fail

write() { # metainfo [web address]
    cmake -DIN="$src/app/org.quillop.Quillop.metainfo.xml.in" -DOUT="$1" -DSCREENSHOT_URL="${2:-}" \
        -P "$src/cmake/WriteMetainfo.cmake"
    appstreamcli validate --no-net "$1" >"$1.log" 2>&1 || fail "$1: $(cat "$1.log")"
}

write "$out/plain.xml"
grep -q "<screenshots>" "$out/plain.xml" && fail "screenshots listed without a web address"

write "$out/published.xml" https://example.org/quillop/
for name in menu game; do
    line=$(grep -F "https://example.org/quillop/$name.png" "$out/published.xml") || fail "$name.png not listed"
    size=$(identify -format "%wx%h" "$src/assets/screenshots/$name.png")
    [[ "$line" == *"width=\"${size%x*}\" height=\"${size#*x}\""* ]] || fail "$name.png is $size, listed as: $line"
done
[ "$(grep -c 'type="default"' "$out/published.xml")" = 1 ] || fail "not one default screenshot"
echo "1 passed, 0 failed"
