#!/usr/bin/env bash
# orbix-tool draws every model with the game's own mesh code into PNG pages that
# an image viewer reads, each showing more than a blank background.
set -euo pipefail
bin=${1:?usage: modelSheet.sh BIN_DIR}
[ -x "$bin/orbix-tool" ] || { echo "orbix-tool not built"; exit 0; }
[ -d "$bin/models" ] || { echo "no content built yet"; exit 0; }
[ -n "${DISPLAY:-}" ] || { echo "FAIL: no DISPLAY" >&2; exit 1; }

out=$(mktemp -d "${TMPDIR:-/tmp}/orbix-sheet.XXXXXX")
trap 'rm -rf "$out"' EXIT
"$bin/orbix-tool" sheet "$out" >"$out/log.txt" 2>&1 || { cat "$out/log.txt" >&2; echo "FAIL: sheet exit $?" >&2; exit 1; }
if grep -q 'FAILED' "$out/log.txt"; then
  grep 'FAILED' "$out/log.txt" >&2
  echo "FAIL: a model or texture did not load" >&2
  exit 1
fi
for page in soldier parts faces props; do
  png=$out/models-$page.png
  [ "$(identify -format '%m %wx%h' "$png")" = "PNG 800x600" ] || { echo "FAIL: $png is not an 800x600 PNG" >&2; exit 1; }
  # Distinct colours: a page with only its background and captions has a handful.
  colours=$(convert "$png" -format '%k' info:)
  [ "$colours" -gt 200 ] || { echo "FAIL: $png shows almost nothing ($colours colours)" >&2; exit 1; }
done
echo "model sheet ok"
