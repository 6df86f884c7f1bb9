#!/usr/bin/env bash
# Regenerates Tarnvale's sprites and ground tiles: builds the art generator (tarnvale_art)
# and ovtool, draws the PNGs into a temporary folder and converts each into
# game/data/<name>.ovt. Commit the .ovt files it changes.
#   scripts/make-game-art.sh [build folder]
# The default build folder, build/art, is configured with the tools only; an existing build
# folder is used as it is configured.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/art}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DOV_BUILD_TESTS=OFF -DOV_BUILD_BENCH=OFF \
          -DOV_BUILD_EXAMPLES=OFF -DOV_BUILD_GAME=OFF >/dev/null
fi
cmake --build "$build" -j2 --target tarnvale_art ovtool
pictures=$(mktemp -d)
trap 'rm -rf "$pictures"' EXIT
"$build/bin/tarnvale_art" "$pictures"
for name in gracz audi_a4 fiat_126p trawa piach asfalt; do
    "$build/bin/ovtool" to-ovt "$pictures/$name.png" "$root/game/data/$name.ovt"
done
echo "game/data: $(cd "$root/game/data" && ls ./*.ovt | tr '\n' ' ')"
