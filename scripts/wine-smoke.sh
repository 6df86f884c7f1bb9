#!/usr/bin/env bash
# Runs the framework's smoke program of the 32-bit Windows cross-compile
# (tests/windows/wine_smoke.cpp, built by scripts/cross-win32.sh) under Wine, in a scratch
# folder with a Wine prefix of its own, and fails when any of its checks fails.
# Usage: wine-smoke.sh [build-dir]   (default build/win32)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$(realpath "${1:-$root/build/win32}")
program=$dir/bin/wine_smoke.exe
[[ -f $program ]] || { echo "wine-smoke: no $program (run scripts/cross-win32.sh)" >&2; exit 1; }
command -v wine >/dev/null || { echo "wine-smoke: needs apt-get install wine wine32:i386" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The first start in a new prefix sets it up (about ten seconds); no display is needed.
cd "$work"
env -u DISPLAY WINEPREFIX="$dir/wine-prefix" WINEDEBUG=-all timeout 300 wine "$program"
