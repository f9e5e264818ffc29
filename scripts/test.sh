#!/usr/bin/env bash
# Sets everything up on a fresh Debian machine, builds the game and runs every
# test. Tests that draw run on a private Xvfb server that this script starts on
# a display number the server itself finds free (so parallel runs on one
# machine never share or steal a display), and stops again. The screen is
# large enough to hold the whole game window at its start position (300, 300).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ORBIX_BUILD_DIR:-$root/build}
"$root/scripts/deps.sh"
"$root/scripts/build.sh" "$@"
# A software renderer without glibc's per-frame trimming runs several times faster.
export MALLOC_TRIM_THRESHOLD_=268435456 MALLOC_TOP_PAD_=67108864
export ALSOFT_DRIVERS=${ALSOFT_DRIVERS:-null}

xdir=$(mktemp -d "${TMPDIR:-/tmp}/orbix-xvfb.XXXXXX")
# -noreset: no server reset (and refused connections) each time the last
# client of one test leaves just as the next test connects.
Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$xdir/display" 2>"$xdir/log" &
xpid=$!
trap 'kill "$xpid" 2>/dev/null || true; wait "$xpid" 2>/dev/null || true; rm -rf "$xdir"' EXIT
for _ in $(seq 100); do
  [ -s "$xdir/display" ] && break
  kill -0 "$xpid" 2>/dev/null || { cat "$xdir/log" >&2; echo "test.sh: Xvfb did not start" >&2; exit 1; }
  sleep 0.1
done
[ -s "$xdir/display" ] || { echo "test.sh: Xvfb gave no display number" >&2; exit 1; }
export DISPLAY=:$(head -n 1 "$xdir/display")
ctest --test-dir "$build" --output-on-failure -j2
