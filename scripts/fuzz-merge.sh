#!/usr/bin/env bash
# Minimises a campaign's work corpora into the committed seeds. For each built target the
# committed seeds (kept whole: the project's real files and the regression inputs) are copied
# into a fresh folder and the work corpus is merged into it (-merge=1), so only inputs that
# reach edges the seeds miss join them (-use_counters=0: a new hit count alone keeps nothing,
# which keeps the corpus a few times smaller for the same edges). Prints each target's
# committed corpus afterwards: files and bytes.
# Usage: scripts/fuzz-merge.sh BUILD WORK [TARGET...]   (BUILD and WORK as given to
#        scripts/fuzz-campaign.sh; the named targets only, or every built one)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "$1")
work=$(realpath "$2")
shift 2
mkdir -p "$work/logs"
paths=("$build"/bin/fuzz_*)
(($# > 0)) && paths=("${@/#/$build/bin/fuzz_}")
for path in "${paths[@]}"; do
    name=$(basename "$path")
    target=${name#fuzz_}
    [[ -x $path ]] || { echo "$target: no such fuzz target in $build/bin" >&2; exit 2; }
    seeds="$root/tests/fuzz/corpus/$target"
    [[ -d "$work/corpus/$target" && -d "$seeds" ]] || continue
    fresh=$(mktemp -d)
    cp "$seeds"/* "$fresh"/
    "$path" -merge=1 -use_counters=0 -rss_limit_mb=2048 -timeout=10 "$fresh" "$work/corpus/$target" \
        >"$work/logs/merge-$target.log" 2>&1
    cp -n "$fresh"/* "$seeds"/
    rm -rf "$fresh"
    echo "$target: $(find "$seeds" -type f | wc -l) files, $(du -sb "$seeds" | cut -f1) bytes"
done
