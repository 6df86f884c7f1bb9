#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build/fuzz) and runs each for the given number
# of seconds (default 60) on its seed corpus, with its dictionary tests/fuzz/<target>.dict when
# there is one. Usage: scripts/fuzz.sh [seconds]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
"$root/scripts/install-deps.sh"
shopt -s nullglob
targets=("$root"/tests/fuzz/fuzz_*.cpp)
[[ ${#targets[@]} -eq 0 ]] && { echo "no fuzz targets"; exit 0; }

cmake -S "$root" -B "$root/build/fuzz" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOV_BUILD_FUZZERS=ON -DOV_BUILD_TESTS=OFF \
      -DOV_BUILD_BENCH=OFF -DOV_BUILD_EXAMPLES=OFF -DOV_BUILD_GAME=OFF -DOV_BUILD_TOOLS=OFF >/dev/null
for source in "${targets[@]}"; do
    name=$(basename "$source" .cpp)
    cmake --build "$root/build/fuzz" -j2 --target "$name"
    corpus="$root/build/fuzz/corpus/${name#fuzz_}"
    mkdir -p "$corpus"
    echo "== $name for ${seconds}s"
    mkdir -p "$root/build/fuzz/artifacts"
    # A target whose input has words gives them in tests/fuzz/<target>.dict.
    dict=()
    [[ -f "$root/tests/fuzz/$name.dict" ]] && dict=(-dict="$root/tests/fuzz/$name.dict")
    "$root/build/fuzz/bin/$name" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$root/build/fuzz/artifacts/" "${dict[@]}" \
        "$corpus" "$root/tests/fuzz/corpus/${name#fuzz_}"
done
