#!/usr/bin/env bash
# A long fuzzing campaign over built fuzz targets, round robin, on idle CPU only (nice 19).
# Each run starts with a large -max_total_time and is stopped (SIGUSR1, a graceful exit) once
# it has used its slice of CPU seconds: on a loaded machine wall time is not CPU time. Every run
# appends one line to WORK/campaign.log; --summary adds up the CPU-minutes per target. A target's
# clean time is that of its runs without a finding since its last finding: a finding means a fix
# and a rebuild, and the count starts again. With --goal, a target stops being run once its clean
# time reaches that many CPU-minutes, and the campaign ends when every target has. Lanes share
# one queue: each takes the next target that no other lane is running.
#
# Usage: scripts/fuzz-campaign.sh [--until HH:MM] [--slice SECONDS] [--lanes N] [--goal MINUTES]
#                                 BUILD WORK
#        scripts/fuzz-campaign.sh --summary WORK/campaign.log
# BUILD holds bin/fuzz_* (configured as scripts/fuzz.sh does); WORK receives the work corpora
# (WORK/corpus/<target>, given first so that new inputs land there), the findings
# (WORK/artifacts) and the run logs. The committed seeds in tests/fuzz/corpus/<target> are read,
# never written.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [[ ${1:-} == --summary ]]; then
    # Log fields: time target user system exit runs cov artifacts starved log
    awk '{cpu[$2] += $3 + $4; runs[$2]++
          if ($5 != "exit=0" && $9 != "starved=1") {bad[$2]++; clean[$2] = 0}
          else clean[$2] += $3 + $4}
         END {for (t in cpu) printf "%-18s %7.1f CPU-min %7.1f clean %3d runs %d findings\n",
                                    t, cpu[t] / 60, clean[t] / 60, runs[t], bad[t]}' "$2" | sort
    exit 0
fi

until_time="" slice=120 lanes=1 goal=0
while [[ ${1:-} == --* ]]; do
    case $1 in
        --until) until_time=$2 ;;
        --slice) slice=$2 ;;
        --lanes) lanes=$2 ;;
        --goal) goal=$2 ;;
        *) echo "unknown option $1" >&2; exit 2 ;;
    esac
    shift 2
done
build=$(realpath "$1")
work=$(realpath -m "$2")
mkdir -p "$work/artifacts" "$work/logs"
deadline=0
[[ -n $until_time ]] && deadline=$(date -u -d "$until_time" +%s)

# The formats users hand us get half as much again per round.
user_formats=" layout theme layout_script markup obj package http_response image mentaro_compile "
user_formats+="mentaro_execute sample_source technique dna_model "
ticks=$(getconf CLK_TCK)

past_deadline() { [[ $deadline -ne 0 && $(date -u +%s) -ge $deadline ]]; }

cpu_seconds() { # user + system CPU seconds of a live process
    local stat
    stat=$(cat "/proc/$1/stat" 2>/dev/null) || { echo 0; return; }
    # After "pid (name) " the state comes first; utime and stime are the 12th and 13th.
    local fields
    read -ra fields <<<"${stat##*) }"
    echo $(((fields[11] + fields[12]) / ticks))
}

clean_seconds() { # CPU seconds of a target's clean runs since its last finding, from the log
    [[ -f "$work/campaign.log" ]] || { echo 0; return; }
    awk -v t="$1" '$2 != t {next}
                   $5 == "exit=0" || $9 == "starved=1" {s += $3 + $4; next}
                   {s = 0}
                   END {printf "%d", s}' \
        "$work/campaign.log"
}

run_once() { # target budget
    local name=$1 budget=$2 target=${1#fuzz_}
    local corpus="$work/corpus/$target" timing log
    mkdir -p "$corpus"
    timing=$(mktemp) log="$work/logs/$target.$(date -u +%H%M%S).log"
    local dict=()
    [[ -f "$root/tests/fuzz/$name.dict" ]] && dict=(-dict="$root/tests/fuzz/$name.dict")
    local started
    started=$(mktemp)
    nice -n 19 /usr/bin/time -f "%U %S" -o "$timing" "$build/bin/$name" -max_total_time=86400 \
        -timeout=2 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$work/artifacts/$target-" "${dict[@]}" \
        "$corpus" "$root/tests/fuzz/corpus/$target" >"$log" 2>&1 &
    local timer=$! fuzzer=""
    while [[ -z $fuzzer ]] && kill -0 "$timer" 2>/dev/null; do
        sleep 0.2
        fuzzer=$(pgrep -P "$timer" || true)
    done
    while [[ -n $fuzzer ]] && kill -0 "$fuzzer" 2>/dev/null; do
        if [[ $(cpu_seconds "$fuzzer") -ge $budget ]] || past_deadline; then
            kill -USR1 "$fuzzer" 2>/dev/null || true
            break
        fi
        sleep 5
    done
    local status=0
    wait "$timer" || status=$?
    local cpu runs coverage found
    cpu=$(tail -1 "$timing")
    runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
    coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*$' || echo 0)
    local artifacts=() starved=0
    mapfile -t artifacts < <(find "$work/artifacts" -maxdepth 1 -name "$target-*" -newer "$started")
    ((${#artifacts[@]} > 0)) && all_starved "$name" "${artifacts[@]}" && starved=1
    echo "$(date -u +%FT%TZ) $target $cpu exit=$status runs=$runs cov=$coverage" \
         "artifacts=${#artifacts[@]} starved=$starved log=$log" >>"$work/campaign.log"
    rm -f "$timing" "$started"
}

# libFuzzer's timeouts are wall time, and at nice 19 a fuzzer gets next to no CPU while other
# work runs: a unit can pass its timeout without being slow. True when every artifact is a
# timeout or slow unit that runs within the timeout when tried again at normal priority; those
# go to artifacts/starved and the run counts as clean.
all_starved() { # target-binary artifact...
    local binary="$build/bin/$1" artifact
    shift
    for artifact in "$@"; do
        [[ $(basename "$artifact") =~ -(timeout|slow-unit)- ]] || return 1
        "$binary" -timeout=2 -rss_limit_mb=2048 "$artifact" >/dev/null 2>&1 || return 1
    done
    mkdir -p "$work/artifacts/starved"
    mv "$@" "$work/artifacts/starved/"
}

lane() {
    while ! past_deadline; do
        local names=() others=() path name
        # Read each round, so that targets built meanwhile join the next one; the formats
        # users hand us come first.
        for path in "$build"/bin/fuzz_*; do
            name=$(basename "$path")
            if [[ $user_formats == *" ${name#fuzz_} "* ]]; then names+=("$name"); else others+=("$name"); fi
        done
        names+=("${others[@]}")
        local ran=0
        for name in "${names[@]}"; do
            past_deadline && return
            local budget=$slice
            [[ $user_formats == *" ${name#fuzz_} "* ]] && budget=$((slice * 3 / 2))
            if ((goal > 0)); then
                local left=$((goal * 60 - $(clean_seconds "${name#fuzz_}")))
                ((left <= 0)) && continue
                ((left < budget)) && budget=$left
            fi
            # mkdir is atomic: the lane that makes the claim runs the target.
            mkdir "$work/running/$name" 2>/dev/null || continue
            run_once "$name" "$budget"
            rmdir "$work/running/$name"
            ran=1
        done
        ((ran)) || return 0
    done
}

# Claims left by a campaign that was stopped are stale.
rm -rf "$work/running"
mkdir -p "$work/running"
for ((l = 0; l < lanes; ++l)); do lane & done
wait
