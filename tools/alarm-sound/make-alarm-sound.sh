#!/bin/sh
# Makes Orvella's own alarm sound: a bright rising chime of four bell-like notes (C, E, G and
# the octave above C, around 1 to 2 kHz) with a pause after it, 2.4 seconds in all, played in a
# loop by the program. Soft notes with a quick fade are pleasant at a low volume; the high,
# repeating chime is unmistakable at a high one.
#
#   make-alarm-sound.sh OUTPUT.wav
#
# Needs SoX. The output is the same bytes on every run: 16-bit PCM, mono, 44.1 kHz, written
# without dither (-D) and with SoX's fixed random numbers (-R), and a WAV header from SoX holds
# no date or comment.
set -eu
out="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
sox_make() { sox -R -D -n -r 44100 -c 1 -b 16 "$@"; }

i=0
for frequency in 1046.5 1318.5 1568 2093; do
    i=$((i + 1))
    # A fundamental with a quieter octave over it, faded out along a logarithmic curve: a bell.
    sox_make "$work/f$i.wav" synth 0.3 sine "$frequency" vol 0.62 fade l 0.004 0.3 0.28
    sox_make "$work/o$i.wav" synth 0.3 sine "$(awk "BEGIN { print $frequency * 2 }")" vol 0.26 fade l 0.004 0.3 0.2
    sox -R -D -m -v 1 "$work/f$i.wav" -v 1 "$work/o$i.wav" "$work/n$i.wav"
done
sox_make "$work/rest.wav" trim 0 1.2
sox -R -D "$work/n1.wav" "$work/n2.wav" "$work/n3.wav" "$work/n4.wav" "$work/rest.wav" "$out"
