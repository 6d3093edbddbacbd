#!/usr/bin/env bash
# Runs each fuzz target for a bounded time, seeded with the default skins and their pictures.
# A crash, a leak or undefined behaviour fails the run. Seconds per target: $1 (default 30).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
corpus=build/fuzz/corpus
mkdir -p "$corpus/bitmap" "$corpus/skin"
cp assets/skins/*/*.bmp "$corpus/bitmap/" 2>/dev/null || true
cp build/native/bin/Skins/*.skn "$corpus/skin/" 2>/dev/null || true
for target in bitmap_decoder:bitmap skin_loader:skin; do
    name="${target%%:*}"
    dir="${target##*:}"
    echo "fuzz_$name: ${seconds}s"
    build/fuzz/bin/fuzz_"$name" -max_total_time="$seconds" -max_len=262144 -rss_limit_mb=2048 \
        -print_final_stats=0 "$corpus/$dir" 2>build/fuzz/fuzz_"$name".log ||
        { tail -40 build/fuzz/fuzz_"$name".log; exit 1; }
done
echo "fuzzing: no faults found"
