#!/usr/bin/env bash
# Installs what is missing, builds Tarnvale (release build in build/release) and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/release" -DCMAKE_BUILD_TYPE=Release \
      -DOV_BUILD_TESTS=OFF -DOV_BUILD_BENCH=OFF -DOV_BUILD_EXAMPLES=OFF >/dev/null
cmake --build "$root/build/release" -j2 --target tarnvale
exec "$root/build/release/bin/tarnvale" "$@"
