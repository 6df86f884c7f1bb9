#!/usr/bin/env bash
# Runs bench/sprites (the framework) and bench/sprites_raw (the raw OpenGL bound) in
# interleaved rounds, both workloads (turning sprites and, with --turn 0, sprites that only
# move), and prints, per configuration, the median of the rounds' sprites per second and the
# ratio framework / raw. BENCH_TURNS="1 0" chooses the workloads.
#   scripts/bench-sprites.sh [build dir] [rounds] [depth bits...]
# e.g. scripts/bench-sprites.sh build/h-perf 3 0 16. Without a display it runs under Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/bench}
rounds=${2:-3}
shift $(( $# > 2 ? 2 : $# ))
depths=("${@:-0 16}")
depths=(${depths[*]})
counts=${BENCH_COUNTS:-1000,10000,50000,100000}
sizes=${BENCH_SIZES:-8,32}
seconds=${BENCH_SECONDS:-2}
turns=${BENCH_TURNS:-1 0}

if [[ -z "${DISPLAY:-}" ]]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$rounds" "${depths[@]}"
fi
for program in sprites sprites_raw; do
    [[ -x "$build/bin/$program" ]] || { echo "bench-sprites: no $build/bin/$program (build it first)" >&2; exit 1; }
done

results=$(mktemp)
trap 'rm -f "$results"' EXIT
echo "# $(date -u '+%F %T') load: $(cut -d' ' -f1-3 /proc/loadavg), $rounds rounds, ${seconds}s each"
for round in $(seq 1 "$rounds"); do
    for depth in "${depths[@]}"; do
        for turn in $turns; do
            for size in ${sizes//,/ }; do
                for count in ${counts//,/ }; do
                    # One process per configuration, the two programs one after the other.
                    for program in sprites_raw sprites; do
                        "$build/bin/$program" --counts "$count" --sizes "$size" --depth "$depth" \
                            --turn "$turn" --seconds "$seconds" --no-header |
                            sed "s/^/$turn /" | tee -a "$results" >&2
                    done
                done
            done
        done
    done
    echo "# round $round done, load: $(cut -d' ' -f1-3 /proc/loadavg)" >&2
done

# Rows: turn tag size sprites depth median p10 p90 sprites/s calls/frame cpu-ns frames.
awk '
function median(list,   n, a, i, j, t) {
    n = split(list, a, " ")
    for (i = 1; i <= n; ++i) for (j = i + 1; j <= n; ++j) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
}
{
    key = $1 " " $5 " " $3 " " $4
    rate[$2, key] = rate[$2, key] " " $9
    ms[$2, key] = ms[$2, key] " " $6
    calls[$2, key] = $10
    cpu[$2, key] = cpu[$2, key] " " $11
    if (!(key in seen)) { seen[key] = 1; order[++n] = key }
}
END {
    printf "%4s %5s %5s %7s | %12s %9s %6s %8s | %12s %9s | %6s\n", "turn", "depth", "size", "sprites",
           "ov sprites/s", "ov ms", "calls", "cpu ns", "raw sprites/s", "raw ms", "ratio"
    for (i = 1; i <= n; ++i) {
        k = order[i]; split(k, f, " ")
        ov = median(rate["ov", k]); raw = median(rate["raw", k])
        printf "%4d %5d %5d %7d | %12.0f %9.2f %6.1f %8.1f | %12.0f %9.2f | %6.2f\n", f[1], f[2], f[3], f[4],
               ov, median(ms["ov", k]), calls["ov", k], median(cpu["ov", k]), raw,
               median(ms["raw", k]), (raw > 0 ? ov / raw : 0)
    }
}' "$results"
echo "# done, load: $(cut -d' ' -f1-3 /proc/loadavg)"
