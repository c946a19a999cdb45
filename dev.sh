#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 The Quillop developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# One entry point for building, playing, testing, benchmarking and fuzzing
# Quillop on Debian 12. Installs what is missing with apt-get first.
usage() {
    cat <<'USAGE'
./dev.sh play [opt]   build the game alone and start it (installs only what it needs)
./dev.sh test         build and run every test
./dev.sh sanitize     the same tests in an AddressSanitizer + UBSan build
./dev.sh release      the same tests in the Release build packagers make
./dev.sh clang        the same tests built with clang, and every name checked against .clang-tidy
./dev.sh layout       check every C++ file against .clang-format
./dev.sh soak [m [s]] random play for m minutes (default 2) from seed s in the sanitizer build
./dev.sh bench        build and run the benchmarks
./dev.sh fuzz [s]     fuzz the top-score reader and the store, s seconds each (default 300)
./dev.sh screenshots  take the screenshots in assets/screenshots again
./dev.sh desktops     the end-to-end checks under a headless GNOME Shell, KWin and kwin_x11 (not in CI)
./dev.sh package      build the Debian package in a clone of the committed tree, check it
                      with lintian, install it and start /usr/games/quillop
USAGE
}
set -euo pipefail
cd "$(dirname "$0")"

JOBS=$(nproc 2>/dev/null || echo 2)
# What the game needs to build and to run: the compiler, CMake, Qt with its X
# and Wayland platforms, the X and font libraries it links, its fonts.
PLAY_PACKAGES=(cmake make g++ pkgconf qt6-base-dev qt6-qpa-plugins qt6-wayland libgl-dev libxcb1-dev
               libfontconfig-dev fonts-liberation2)
# And what the tests need besides.
PACKAGES=("${PLAY_PACKAGES[@]}" libgtest-dev libgmock-dev libbenchmark-dev
          xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick openbox i3-wm libx11-dev libxext-dev
          desktop-file-utils appstream reuse man-db strace weston dbus-daemon
          sway xwayland grim wtype libwayland-dev libwayland-bin python3-minimal
          clang libclang-rt-14-dev clang-format-14 clang-tidy-14)

install_missing() { # package...
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() { # preset, extra cmake arguments...
    local preset=$1
    shift
    cmake --preset "$preset" "$@"
    cmake --build --preset "$preset" -j"$JOBS"
}

run_tests() { # preset
    ctest --preset "$1" -j"$JOBS"
}

case "${1:-}" in
play)
    shift
    install_missing "${PLAY_PACKAGES[@]}"
    # Scores kept by a game built here before (in build/) come along.
    if [ ! -e build-play/TopScores.txt ] && [ -f build/TopScores.txt ]; then
        mkdir -p build-play
        cp -p build/TopScores.txt build-play/TopScores.txt
    fi
    build play
    exec ./build-play/quillop "$@"
    ;;
test)
    install_missing "${PACKAGES[@]}"
    build dev
    run_tests dev
    ;;
sanitize)
    install_missing "${PACKAGES[@]}"
    build sanitize
    run_tests sanitize
    ;;
soak)
    install_missing "${PACKAGES[@]}"
    build sanitize
    tests/soak/soak.sh build-sanitize "${2:-2}" ${3:+"$3"}
    ;;
release)
    install_missing "${PACKAGES[@]}"
    build release
    run_tests release
    ;;
bench)
    install_missing "${PACKAGES[@]}"
    build bench
    ./build-bench/quillop_core_bench
    ./build-bench/quillop_ui_bench
    ;;
package)
    PACKAGES+=(debhelper lintian dpkg-dev fakeroot git)
    install_missing "${PACKAGES[@]}"
    rm -rf build-package
    mkdir -p build-package
    # A clone, as a packager's checkout is: the build runs in the tree git
    # knows, and its outputs must not count as the project's files.
    git clone --quiet --no-local . build-package/quillop
    (cd build-package/quillop && dpkg-buildpackage -us -uc -b)
    lintian --fail-on error,warning --tag-display-limit 0 build-package/quillop_*.changes
    tests/e2e/package_e2e.sh build-package/quillop_*.deb build-package/e2e
    ;;
desktops)
    # GNOME Shell and KWin, each hundreds of megabytes, only for this.
    PACKAGES+=(gnome-shell kwin-wayland kwin-x11)
    install_missing "${PACKAGES[@]}"
    build dev
    status=0
    for mode in xwayland wayland; do
        bash tests/e2e/gnome_e2e.sh build/quillop "build/e2e/gnome_$mode" "$mode" || status=1
    done
    bash tests/e2e/kwin_e2e.sh build/quillop build/e2e/kwin_xwayland || status=1
    bash tests/e2e/kwin_x11_e2e.sh build/quillop build/e2e/kwin_x11 || status=1
    exit $status
    ;;
screenshots)
    install_missing "${PACKAGES[@]}"
    build dev
    bash tests/e2e/screenshots_e2e.sh build/quillop build/e2e/screenshots assets/screenshots --update
    ;;
layout)
    install_missing "${PACKAGES[@]}"
    # Every C++ file as .clang-format lays it out; tables that read better
    # by hand sit between "clang-format off" and "on".
    git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format-14 --dry-run --Werror
    echo "every C++ file follows .clang-format"
    ;;
clang)
    install_missing "${PACKAGES[@]}"
    build clang
    run_tests clang
    # Every function and member named as .clang-tidy says: the game's own
    # names as they are, everything else camelCase.
    run-clang-tidy-14 -quiet -p build-clang -j "$JOBS" "^$(pwd)/(app|common|controls|desktop|fuzz|game|help|platform|scores|shell|tests|tools)/.*\.cpp$" >build-clang/names.log 2>&1 ||
        { grep -A3 'error:' build-clang/names.log; echo "names do not follow .clang-tidy"; exit 1; }
    echo "every name follows .clang-tidy"
    ;;
fuzz)
    install_missing "${PACKAGES[@]}"
    build clang
    # The reader, then the store on a real folder, each for the time given.
    for target in topscores topscorestore; do
        mkdir -p "build-clang/corpus/$target"
        "./build-clang/${target}_fuzz" -max_total_time="${2:-300}" -print_final_stats=1 \
            "build-clang/corpus/$target" fuzz/corpus/topscores
    done
    ;;
*)
    usage
    exit 2
    ;;
esac
