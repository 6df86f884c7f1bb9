#!/usr/bin/env bash
# Installs an already-built tree into a temporary prefix and uses it as a game's developer
# would: builds tests/install/external_game against it with find_package(OvCore) and with
# pkg-config, runs each for a few frames (an X display is needed: CTest runs under Xvfb),
# runs an installed tool on the installed theme, and compiles every installed header.
# Usage: install_test.sh <build-dir> <c++-compiler>
set -euo pipefail
build=$1
cxx=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

fail() { echo "install test: $*" >&2; exit 1; }
# No sound card here: OpenAL Soft's null output keeps the log to what the test says.
export ALSOFT_DRIVERS=null

cmake --install "$build" --prefix "$prefix" >"$work/install.log" || {
    cat "$work/install.log" >&2
    fail "cmake --install failed"
}
pcdir=$(dirname "$(find "$prefix" -name ovcore.pc -print -quit)")

# The game runs 30 frames and says how far its sprite went: it must have moved.
run_game() {
    local game=$1 output
    output=$("$game" 30) || fail "$game exited with $?"
    echo "$output"
    grep -q "^ran 30 frames, the square ended at x = " <<<"$output" || fail "$game ran no frames"
    ! grep -q "x = 40.0$" <<<"$output" || fail "$game did not move its square"
}

# find_package(OvCore): a CMake project of its own, nothing but the prefix to go on.
cmake -S "$here/external_game" -B "$work/cmake-build" -DCMAKE_CXX_COMPILER="$cxx" \
    -DCMAKE_PREFIX_PATH="$prefix" >"$work/configure.log" || {
    cat "$work/configure.log" >&2
    fail "the external game's configure failed"
}
cmake --build "$work/cmake-build" || fail "the external game did not build with find_package"
run_game "$work/cmake-build/external_game"

# A component the package does not have is refused.
mkdir -p "$work/no-such-component"
printf 'cmake_minimum_required(VERSION 3.25)\nproject(Probe NONE)\n%s\n' \
    'find_package(OvCore REQUIRED COMPONENTS audiere no_such_layer)' \
    >"$work/no-such-component/CMakeLists.txt"
if cmake -S "$work/no-such-component" -B "$work/no-such-component/build" \
    -DCMAKE_PREFIX_PATH="$prefix" >/dev/null 2>&1; then
    fail "find_package(OvCore) accepted a component it does not have"
fi

# pkg-config: one compiler line. The shared layers are not on the loader's path, so the
# program carries the prefix's library folder as its run path.
export PKG_CONFIG_PATH=$pcdir
flags=$(pkg-config --cflags --libs ovcore-main) || fail "pkg-config does not know ovcore-main"
# shellcheck disable=SC2086 # the flags are words
"$cxx" -std=c++20 "$here/external_game/main.cpp" -o "$work/external_game_pc" $flags \
    -Wl,-rpath,"$(pkg-config --variable=libdir ovcore)" || fail "no build with pkg-config"
run_game "$work/external_game_pc"

# An installed tool finds its libraries and reads the installed default theme.
"$prefix/bin/ovmarkup" "$prefix/share/ovcore/themes/default.xml" >/dev/null ||
    fail "the installed ovmarkup cannot read the installed theme"

# Every installed header compiles with only the prefix's include folder.
include=$prefix/include/ovcore
(cd "$include" && find . -name '*.h' | sort | sed 's|^\./\(.*\)|#include "\1"|') >"$work/all.cpp"
"$cxx" -std=c++20 -fsyntax-only -I"$include" "$work/all.cpp" ||
    fail "an installed header does not compile on its own prefix"
echo "install test: $(wc -l <"$work/all.cpp") headers, both builds ran"
