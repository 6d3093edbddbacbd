#!/usr/bin/env bash
# Fuzzes each reader of files that users or other programs can change, under AddressSanitizer
# and UBSan. A crash, a leak or undefined behaviour fails the run; at the end of each target's
# run its inputs per second are printed.
#
#   scripts/run-fuzz.sh [SECONDS]     each target for SECONDS (default 30), one after the other
#   scripts/run-fuzz.sh --runs N      campaign: N inputs per target, two targets at a time
#
# Each target starts from its kept seeds (tests/fuzz/corpus/<reader>/) with its dictionary
# (tests/fuzz/<reader>.dict), where there are, and from the default skins with their pictures,
# the default language file and the start of the alarm sound; what it finds goes to
# build/fuzz/corpus/<reader>/, which later runs go on from.
#
# A fifth of each target's time (of its inputs in a campaign) then goes to large inputs, up to a
# MiB: its seeds repeated to that length, and what the mutations make of them. An input that
# takes a second or more is reported as slow, one that takes ten fails the run as a timeout; the
# input is kept as build/fuzz/slow-unit-* or build/fuzz/timeout-*.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-30}"
limit=(-max_total_time="$((seconds - seconds / 5))")
large_limit=(-max_total_time="$((seconds / 5 > 2 ? seconds / 5 : 2))")
jobs=1
if [ "${1:-}" = --runs ]; then
    [ -n "${2:-}" ] || { echo "usage: scripts/run-fuzz.sh [SECONDS | --runs N]" >&2; exit 2; }
    limit=(-runs="$(($2 - $2 / 5))")
    large_limit=(-runs="$(($2 / 5 > 100 ? $2 / 5 : 100))")
    jobs=2
fi
export large_len=1048576

# A smaller quarantine and no fill of fresh memory keep the sanitizer's heap in the cache
# (a use after free is still caught while the block is among the last 16 MB freed); the
# allocation stacks in a report are cut to five frames. An ASAN_OPTIONS of the caller wins.
export ASAN_OPTIONS="${ASAN_OPTIONS:-quarantine_size_mb=16:max_malloc_fill_size=0:malloc_context_size=5}"

# target:reader:longest input
targets=(bitmap_decoder:bitmap:65536 skin_loader:skin:131072 wake_dates:wake_dates:1024 wake_repeats:wake_repeats:2048
    language_file:language:8192 wave_file:wave:4096 agent_schedule:agent_schedule:4096 ini_text:ini_text:4096)

# Seeds from the program's own files.
corpus=build/fuzz/corpus
mkdir -p "$corpus/bitmap" "$corpus/skin" "$corpus/language" "$corpus/wave"
cp assets/skins/*/*.bmp "$corpus/bitmap/" 2>/dev/null || true
cp build/native/bin/Skins/*.skn "$corpus/skin/" 2>/dev/null || true
cp tests/language/DefaultLanguage.golden "$corpus/language/default.dll"
# The alarm sound's first bytes: its header and the start of its samples.
head -c 4096 build/fuzz/bin/Alarm.wav >"$corpus/wave/alarm.wav" 2>/dev/null || true

# Each seed of a reader repeated up to `large_len`, as the start of its large inputs.
large_seeds() {
    local reader="$1" seed out
    mkdir -p build/fuzz/large/"$reader"
    for seed in tests/fuzz/corpus/"$reader"/* build/fuzz/corpus/"$reader"/*.{skn,bmp,dll,wav}; do
        [ -s "$seed" ] || continue
        out=build/fuzz/large/"$reader"/repeated-"$(basename "$seed")"
        [ -f "$out" ] && continue
        cp "$seed" "$out.part"
        while [ "$(stat -c %s "$out.part")" -lt "$large_len" ]; do
            cat "$out.part" "$out.part" >"$out.part2"
            mv "$out.part2" "$out.part"
        done
        head -c "$large_len" "$out.part" >"$out"
        rm -f "$out.part"
    done
}
export -f large_seeds

fuzz_one() {
    IFS=: read -r name reader max_len <<<"$1"
    shift
    local main=() large=()
    while [ "$#" -gt 0 ] && [ "$1" != -- ]; do main+=("$1"); shift; done
    [ "$#" -gt 0 ] && shift
    large=("$@")
    local log=build/fuzz/fuzz_"$name".log
    mkdir -p build/fuzz/corpus/"$reader"
    local start
    start=$(date +%s.%N)
    # New inputs go to the first folder named.
    local dict=() seeds=()
    [ -f tests/fuzz/"$reader".dict ] && dict=(-dict=tests/fuzz/"$reader".dict)
    [ -d tests/fuzz/corpus/"$reader" ] && seeds=(tests/fuzz/corpus/"$reader")
    if ! build/fuzz/bin/fuzz_"$name" "${main[@]}" -max_len="$max_len" -rss_limit_mb=2048 -print_final_stats=1 \
        "${dict[@]}" build/fuzz/corpus/"$reader" "${seeds[@]}" >"$log" 2>&1; then
        echo "fuzz_$name: FAILED"
        tail -40 "$log"
        return 1
    fi
    # Large inputs, at their full length from the start.
    large_seeds "$reader"
    local large_log=build/fuzz/fuzz_"$name"-large.log
    if ! build/fuzz/bin/fuzz_"$name" "${large[@]}" -max_len="$large_len" -len_control=0 -timeout=10 \
        -report_slow_units=1 -artifact_prefix=build/fuzz/ -rss_limit_mb=2048 -print_final_stats=1 "${dict[@]}" \
        build/fuzz/large/"$reader" build/fuzz/corpus/"$reader" "${seeds[@]}" >"$large_log" 2>&1; then
        echo "fuzz_$name: FAILED on a large input"
        tail -40 "$large_log"
        return 1
    fi
    grep -h "Slowest unit" "$large_log" | sed "s/^/fuzz_$name: slow: /" || true
    # Inputs per second of the whole run, the loading of the corpus included.
    local runs
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" "$large_log" | awk '{ n += $1 } END { print n }')
    awk -v name="$name" -v runs="$runs" -v start="$start" -v end="$(date +%s.%N)" \
        'BEGIN { printf "fuzz_%s: %d inputs, %.0f inputs/s\n", name, runs, runs / (end - start) }'
}
export -f fuzz_one

if [ "$jobs" -eq 1 ]; then
    for target in "${targets[@]}"; do fuzz_one "$target" "${limit[@]}" -- "${large_limit[@]}"; done
else
    printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c 'fuzz_one "$@"' _ {} "${limit[@]}" -- \
        "${large_limit[@]}"
fi
echo "fuzzing: no faults found"
