#!/usr/bin/env bash
# Records the two spoken lines with espeak-ng and gives them a field-radio
# colour with sox. espeak's output differs between versions, so the WAVs this
# makes are committed in recorded/ and the build only copies them; run this
# again only to change the voice lines. Needs espeak-ng and sox.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
out="$here/recorded"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$out"

say() {  # file, words
    espeak-ng -v en-us+m3 -s 165 -p 38 -a 180 -w "$tmp/raw.wav" "$2"
    # Band-limit like a radio, warm it slightly, trim the silence at both ends,
    # then mono 16-bit PCM at 22050 Hz like the other effects.
    sox "$tmp/raw.wav" -r 22050 -c 1 -b 16 "$tmp/trimmed.wav" \
        gain -6 highpass 280 lowpass 3400 overdrive 6 gain -n -1 \
        silence 1 0.01 1% reverse silence 1 0.01 1% reverse
    # Fade both ends (a second pass: the fade needs the trimmed length) so the
    # line neither starts nor stops with a click.
    sox "$tmp/trimmed.wav" "$out/$1" fade t 0.005 -0 0.03
}

say roger.wav "Roger!"
say clear.wav "Area clear."
