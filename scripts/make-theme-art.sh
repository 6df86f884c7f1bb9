#!/usr/bin/env bash
# Regenerates the GUI's default theme: builds the theme generator (theme_art) and ovtool,
# writes themes/default.xml and converts the atlas into themes/default/default.ovt and the
# shipped font's glyph picture into themes/default/dejavu_sans_16.ovt (with its descriptor
# beside it). Commit the files it changes.
#   scripts/make-theme-art.sh [build folder]
# The default build folder, build/art, is configured with the tools only; an existing build
# folder is used as it is configured.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/art}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DOV_BUILD_TESTS=OFF -DOV_BUILD_BENCH=OFF \
          -DOV_BUILD_EXAMPLES=OFF -DOV_BUILD_GAME=OFF >/dev/null
fi
cmake --build "$build" -j2 --target theme_art ovtool
pictures=$(mktemp -d)
trap 'rm -rf "$pictures"' EXIT
"$build/bin/theme_art" "$pictures"
mkdir -p "$root/themes/default"
cp "$pictures/default.xml" "$root/themes/default.xml"
"$build/bin/ovtool" to-ovt "$pictures/default.png" "$root/themes/default/default.ovt"
"$build/bin/ovtool" to-ovt "$root/fonts/dejavu_sans_16.png" "$root/themes/default/dejavu_sans_16.ovt"
cp "$root/fonts/dejavu_sans_16.fnt" "$root/themes/default/dejavu_sans_16.fnt"
echo "themes: $(cd "$root/themes" && find . -type f | sort | tr '\n' ' ')"
