#!/usr/bin/env bash
# Cross-compiles the framework, Tarnvale and the examples for 32-bit Windows with Debian's
# mingw-w64 (i686), against the real Windows headers, linking the engine and the audio layer
# through import libraries of their DLLs (cmake/OvWindows.cmake), warnings as errors.
# Usage: cross-win32.sh [build-dir]   (default build/win32)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build/win32}
command -v i686-w64-mingw32-g++-posix >/dev/null || {
    echo "cross-win32: needs apt-get install g++-mingw-w64-i686-posix mingw-w64-i686-dev" >&2
    exit 1
}
cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DOV_WARNINGS_AS_ERRORS=ON -DOV_BUILD_TESTS=OFF \
    -DOV_BUILD_TOOLS=OFF -DOV_BUILD_BENCH=OFF -DOV_BUILD_GAME=ON -DOV_BUILD_EXAMPLES=ON >/dev/null
cmake --build "$dir" -j2
