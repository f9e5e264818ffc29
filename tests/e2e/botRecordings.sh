#!/usr/bin/env bash
# The committed bot recordings (bench/recordings) still replay in step to the outcome botplay
# printed, and a whole game of each bot recorded now on every shipped level replays to its outcome.
set -euo pipefail
bin=${1:?usage: botRecordings.sh BIN_DIR}
root=$(cd "$(dirname "$0")/../.." && pwd)
[ -x "$bin/orbix-tool" ] || { echo "orbix-tool not built yet"; exit 0; }
[ -d "$bin/maps" ] || { echo "content not built yet"; exit 0; }
work=$(mktemp -d "${TMPDIR:-/tmp}/orbix-botrec.XXXXXX")
trap 'rm -rf "$work"' EXIT
failed=0

# The figures of a result line, without the outcome word when the game ran out of time
# (botplay says timeout; a replay cannot tell why the recording stopped).
figures() {
  sed -E 's/^result: (won|failed) /result: \1 /; s/^result: (timeout|left) /result: unfinished /; s/ hash=[0-9a-f]+$//' <<<"$1"
}

# replay_matches FILE EXPECTED_LINE: the recording replays in step to the expected result.
replay_matches() {
  local out
  if ! out=$("$bin/orbix-tool" replay "$1" 2>&1); then
    echo "$out" | tail -n 3 >&2
    return 1
  fi
  [ "$(figures "$(grep '^result: ' <<<"$out" | tail -n 1)")" = "$(figures "$2")" ] || {
    echo "replayed: $(grep '^result: ' <<<"$out")" >&2
    echo "recorded: $2" >&2
    return 1
  }
}

shipped=$(ls "$bin/maps")
for map in $shipped; do
  name=${map%.bmp}
  rec=$root/bench/recordings/$name.orbrec
  if [ ! -f "$rec" ] || ! replay_matches "$rec" "$(cat "$root/bench/recordings/$name.txt")"; then
    echo "FAIL: bench/recordings/$name.orbrec is missing or no longer replays; remake the recordings with scripts/record-bot-games.sh" >&2
    failed=1
  fi
done

for style in planner player; do
  for map in $shipped; do
    name=${map%.bmp}
    line=$("$bin/orbix-tool" botplay "$map" --seed 3 --style "$style" --record "$work/$name.orbrec" 2>/dev/null | tail -n 1)
    replay_matches "$work/$name.orbrec" "$line" ||
      { echo "FAIL: a $style bot game of $map does not replay to its outcome" >&2; failed=1; }
    echo "$name ($style): $line"
  done
done
[ "$failed" = 0 ] && echo PASS
exit "$failed"
