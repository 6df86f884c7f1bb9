#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless (under Xvfb):
# first a normal build (build/test), then the same tests built with AddressSanitizer and
# UBSan (build/asan), then each fuzzer briefly (scripts/fuzz.sh), then the framework, the game
# and the examples cross-compiled for 32-bit Windows (build/win32), whose smoke program then
# runs under Wine (scripts/wine-smoke.sh). Fails when any step fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

run_suite() {
    local dir=$1; shift
    cmake -S "$root" -B "$dir" "$@" >/dev/null
    cmake --build "$dir" -j2
    # -noreset: Xvfb otherwise resets whenever its last client leaves, and a program that
    # connects during the reset (a test starting right after another ended) finds no display.
    # A failed test runs once more before it counts: a few tests wait on real time (peers that
    # stall, saves killed at random moments) and a heavily loaded machine can upset them; a
    # real failure fails both runs, and both outputs stay in the log.
    xvfb-run -a -s "-screen 0 1280x1024x24 +extension GLX +render -noreset" \
        ctest --test-dir "$dir" --output-on-failure -j2 --timeout 300 --repeat until-pass:2
}

run_suite "$root/build/test" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOV_WARNINGS_AS_ERRORS=ON
run_suite "$root/build/asan" -DCMAKE_BUILD_TYPE=Debug -DOV_SANITIZE=ON -DOV_WARNINGS_AS_ERRORS=ON \
    -DOV_BUILD_BENCH=OFF -DOV_BUILD_EXAMPLES=OFF -DOV_BUILD_GAME=OFF
"$root/scripts/fuzz.sh" 5
"$root/scripts/cross-win32.sh" "$root/build/win32"
"$root/scripts/wine-smoke.sh" "$root/build/win32"
