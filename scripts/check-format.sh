#!/usr/bin/env bash
# Fails when a C or C++ source of the repository does not match .clang-format, naming each
# file; `check-format.sh --fix` rewrites them instead, and `check-format.sh --fix FILE...`
# rewrites only the files named (so that one developer's fix leaves others' edits alone).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
mapfile -t files < <(git ls-files -- '*.c' '*.cpp' '*.h' '*.hpp')
[[ ${#files[@]} -eq 0 ]] && exit 0
if [[ "${1:-}" == "--fix" ]]; then
    shift
    if [[ $# -gt 0 ]]; then
        clang-format -i "$@"
    else
        clang-format -i "${files[@]}"
    fi
    exit 0
fi
if ! clang-format --dry-run -Werror "${files[@]}" 2>/dev/null; then
    for file in "${files[@]}"; do
        clang-format --dry-run -Werror "$file" >/dev/null 2>&1 || echo "check-format: $file"
    done
    echo "check-format: the files above do not match .clang-format (scripts/check-format.sh --fix)" >&2
    exit 1
fi
echo "check-format: ${#files[@]} files match .clang-format"
