#!/usr/bin/env bash
# Builds the API reference (docs/api/Doxyfile.in, configured by CMake) into a scratch folder
# and fails on any Doxygen warning: a public class, operation, typedef, field, enumerator or
# constant without a comment, or a comment Doxygen cannot read.
# Usage: check-apidoc.sh <doxygen> <Doxyfile> <source-dir>
set -euo pipefail
doxygen=$1
doxyfile=$2
root=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

{ cat "$doxyfile"; echo "OUTPUT_DIRECTORY = $work"; echo "WARN_LOGFILE = $work/warnings.txt"; } |
    (cd "$work" && "$doxygen" -) >"$work/doxygen.log" 2>&1 || {
    cat "$work/doxygen.log" >&2
    echo "check-apidoc: doxygen failed" >&2
    exit 1
}
# "path:line: warning: text" -> "path:line: text", the path from the source root.
sed -e "s|^$root/||" -e 's|: warning: |: |' "$work/warnings.txt" | sort -u >"$work/all.txt"
if [[ -s $work/all.txt ]]; then
    echo "check-apidoc: $(wc -l <"$work/all.txt") documentation warnings (give each public" \
        "declaration a comment line in its header):" >&2
    cat "$work/all.txt" >&2
    exit 1
fi
echo "check-apidoc: every public declaration documented, no documentation warnings"
