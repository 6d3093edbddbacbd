#!/usr/bin/env bash
# Runs each fuzz target for a bounded time, seeded with the default skins and their pictures,
# with a few wake-dates files, with the default language file and with the start of the alarm
# sound. A crash, a leak or undefined behaviour fails the run.
# Seconds per target: $1 (default 30).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
corpus=build/fuzz/corpus
mkdir -p "$corpus/bitmap" "$corpus/skin" "$corpus/wake_dates" "$corpus/language" "$corpus/wave"
cp assets/skins/*/*.bmp "$corpus/bitmap/" 2>/dev/null || true
cp build/native/bin/Skins/*.skn "$corpus/skin/" 2>/dev/null || true
# The counter's name as the program writes it (byte E4) and as the clang build spells it (UTF-8).
printf '[Position]\r\nLeft=3\r\nTop=4\r\n[Weckzeiten]\r\nZ\344hler=2\r\n0=05.01.2027 (06:45) - Early shift\r\n1=15.01.2027 (06:00)\r\n2=01.02.2027 ( 7:00)\r\n' \
    >"$corpus/wake_dates/ansi.ini"
printf '[Weckzeiten]\nZ\303\244hler=3\n0=05.01.2027 (06:45)\n2="08.12.2026 (07:00)"\n3=\n4=stale\n[Position]\nLeft=1' \
    >"$corpus/wake_dates/utf8.ini"
printf '[weckzeiten]\r\nZ\303\244hler=0x7FFFFFFF\r\n0 = 31.12.2099 (23:59)  \r\n01=x\r\n' >"$corpus/wake_dates/hex.ini"
cp tests/language/DefaultLanguage.golden "$corpus/language/default.dll"
printf '[Mine]\n1= "Options" \n2=\n[mine]\r\n3=x\r\n [A] \r\n[]\r\n' >"$corpus/language/small.dll"
# The alarm sound's first bytes: its header and the start of its samples.
head -c 4096 build/fuzz/bin/Alarm.wav >"$corpus/wave/alarm.wav" 2>/dev/null || true
for target in bitmap_decoder:bitmap:262144 skin_loader:skin:262144 wake_dates:wake_dates:4096 \
    language_file:language:4096 wave_file:wave:4096; do
    IFS=: read -r name dir max_len <<<"$target"
    echo "fuzz_$name: ${seconds}s"
    build/fuzz/bin/fuzz_"$name" -max_total_time="$seconds" -max_len="$max_len" -rss_limit_mb=2048 \
        -print_final_stats=0 "$corpus/$dir" 2>build/fuzz/fuzz_"$name".log ||
        { tail -40 build/fuzz/fuzz_"$name".log; exit 1; }
done
echo "fuzzing: no faults found"
