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
set -euo pipefail
cd "$(dirname "$0")/.."

limit=(-max_total_time="${1:-30}")
jobs=1
if [ "${1:-}" = --runs ]; then
    [ -n "${2:-}" ] || { echo "usage: scripts/run-fuzz.sh [SECONDS | --runs N]" >&2; exit 2; }
    limit=(-runs="$2")
    jobs=2
fi

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

fuzz_one() {
    IFS=: read -r name reader max_len <<<"$1"
    shift
    local log=build/fuzz/fuzz_"$name".log
    mkdir -p build/fuzz/corpus/"$reader"
    local start
    start=$(date +%s.%N)
    # New inputs go to the first folder named.
    local dict=() seeds=()
    [ -f tests/fuzz/"$reader".dict ] && dict=(-dict=tests/fuzz/"$reader".dict)
    [ -d tests/fuzz/corpus/"$reader" ] && seeds=(tests/fuzz/corpus/"$reader")
    if ! build/fuzz/bin/fuzz_"$name" "$@" -max_len="$max_len" -rss_limit_mb=2048 -print_final_stats=1 \
        "${dict[@]}" build/fuzz/corpus/"$reader" "${seeds[@]}" >"$log" 2>&1; then
        echo "fuzz_$name: FAILED"
        tail -40 "$log"
        return 1
    fi
    # Inputs per second of the whole run, the loading of the corpus included.
    local runs
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    awk -v name="$name" -v runs="$runs" -v start="$start" -v end="$(date +%s.%N)" \
        'BEGIN { printf "fuzz_%s: %d inputs, %.0f inputs/s\n", name, runs, runs / (end - start) }'
}
export -f fuzz_one

if [ "$jobs" -eq 1 ]; then
    for target in "${targets[@]}"; do fuzz_one "$target" "${limit[@]}"; done
else
    printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c 'fuzz_one "$@"' _ {} "${limit[@]}"
fi
echo "fuzzing: no faults found"
