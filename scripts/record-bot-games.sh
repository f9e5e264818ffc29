#!/usr/bin/env bash
# Records a bot game of every shipped level into bench/recordings/, for the timedemo rows of
# scripts/bench.sh and the test that checks they still replay. Run it again whenever the maps,
# the models or the simulation change (that test says so when they do):
#   scripts/record-bot-games.sh        build dir: $ORBIX_BUILD_DIR or build/
# Each game is the bot's first 15 s of play with seed 1, so that a timedemo run stays short;
# NAME.orbrec is the recording and NAME.txt the outcome botplay printed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ORBIX_BUILD_DIR:-$root/build}
out=$root/bench/recordings
cmake --build "$build" --target orbix-tool >/dev/null
maps=$(ls "$build/bin/maps")
[ -n "$maps" ] || { echo "no maps in $build/bin/maps: build the content first" >&2; exit 1; }
rm -f "$out"/*.orbrec "$out"/*.txt
mkdir -p "$out"
for map in $maps; do
  name=${map%.bmp}
  "$build/bin/orbix-tool" botplay "$map" --seed 1 --max-ms 15000 --record "$out/$name.orbrec" \
    2>/dev/null | tail -n 1 >"$out/$name.txt"
  echo "$name: $(cat "$out/$name.txt") ($(stat -c %s "$out/$name.orbrec") bytes)"
done
