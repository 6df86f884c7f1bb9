#!/usr/bin/env bash
# Builds the API reference (docs/api/Doxyfile.in, configured by CMake) into a scratch folder
# and fails on any documentation warning other than an undocumented member, and on an
# operation or class left undocumented that docs/api/undocumented.txt does not list: that
# list is what was undocumented when the check began, so the count only goes down.
# Undocumented fields and constants are counted, not checked.
# Usage: check-apidoc.sh <doxygen> <Doxyfile> <source-dir> [--update]  (--update rewrites
# the list from what Doxygen finds now)
set -euo pipefail
doxygen=$1
doxyfile=$2
root=$3
list=$root/docs/api/undocumented.txt
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

{ cat "$doxyfile"; echo "OUTPUT_DIRECTORY = $work"; echo "WARN_LOGFILE = $work/warnings.txt"; } |
    (cd "$work" && "$doxygen" -) >"$work/doxygen.log" 2>&1 || {
    cat "$work/doxygen.log" >&2
    echo "check-apidoc: doxygen failed" >&2
    exit 1
}
# "path:line: warning: text" -> "path: text", the path from the source root, no line number
# (lines move with every edit).
sed -e "s|^$root/||" -e 's|^\([^:]*\):[0-9]*: warning: |\1: |' "$work/warnings.txt" |
    sort -u >"$work/all.txt"
grep -v ' is not documented\.$' "$work/all.txt" >"$work/errors.txt" || true
grep -E '\((function|friend|typedef)\) of .* is not documented\.$|: Compound .* is not documented\.$' \
    "$work/all.txt" >"$work/operations.txt" || true
others=$(grep -c ' is not documented\.$' "$work/all.txt" || true)
others=$((others - $(wc -l <"$work/operations.txt")))

if [[ ${4:-} == --update ]]; then
    cp "$work/operations.txt" "$list"
    echo "check-apidoc: $(wc -l <"$list") undocumented operations and classes listed in $list"
    exit 0
fi
status=0
if [[ -s $work/errors.txt ]]; then
    echo "check-apidoc: documentation warnings:" >&2
    cat "$work/errors.txt" >&2
    status=1
fi
comm -23 "$work/operations.txt" <(sort -u "$list") >"$work/new.txt"
if [[ -s $work/new.txt ]]; then
    echo "check-apidoc: undocumented (give each a comment line in its header):" >&2
    cat "$work/new.txt" >&2
    status=1
fi
documented=$(comm -13 "$work/operations.txt" <(sort -u "$list") | wc -l)
echo "check-apidoc: $(wc -l <"$work/operations.txt") operations and classes undocumented" \
    "(listed), $documented of the list documented since (--update drops them)," \
    "$others fields and constants undocumented"
exit $status
