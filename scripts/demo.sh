#!/usr/bin/env bash
# A short scripted demo of the real game that saves screenshots: the squad walks,
# fires, throws a grenade and the console opens. Runs on $DISPLAY when there is
# one, otherwise on a private Xvfb that it starts and stops again.
# usage: scripts/demo.sh [SHOT_FOLDER]   (default: orbix-demo-DATE-TIME here)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${ORBIX_BUILD_DIR:-$root/build}/bin
shots=${1:-$PWD/orbix-demo-$(date +%Y%m%d-%H%M%S)}
[ -x "$bin/orbix-tal" ] || { echo "demo.sh: the game is not built ($bin/orbix-tal); run scripts/build.sh" >&2; exit 1; }
for tool in xdotool import; do
  command -v "$tool" >/dev/null || { echo "demo.sh: needs $tool (scripts/deps.sh installs it)" >&2; exit 1; }
done
mkdir -p "$shots"
shots=$(cd "$shots" && pwd)

. "$root/scripts/lib/xvfb.sh"
had_display=${DISPLAY:-}
trap stop_private_display EXIT
use_display
[ -n "$had_display" ] || echo "demo.sh: running on a virtual display ($DISPLAY)"
work=$(mktemp -d "${TMPDIR:-/tmp}/orbix-demo.XXXXXX")

# The game helpers of the end-to-end tests: start, window, keys, clicks, shots.
E2E_WORK=$work
. "$root/tests/e2e/lib/common.sh"
trap 'rc=$?; game_stop; rm -rf "$work"; stop_private_display; exit $rc' EXIT

step() { echo "demo.sh: $1"; }
snap() { shot "$shots/$1.png"; echo "  saved $shots/$1.png"; }

game_start "$bin"
game_wait_window 60
xdotool windowmove "$GAME_WIN" 0 0
sleep 0.5
game_wait_output '^cGame: Loading levels\.\. OK$' 60
sleep 2
step "the first level"
snap 01-start

step "the squad walks (left click)"
click 1 560 380
sleep 2.5
snap 02-walk

step "the squad fires (right button held)"
pointer 620 220
button_down 3
sleep 1.2
snap 03-fire
button_up 3
sleep 0.3

step "a grenade is thrown (grenade box, then both buttons)"
click 1 27 45
pointer 560 260
button_down 3
button_down 1
sleep 0.4
button_up 1
button_up 3
sleep 0.6
snap 04-grenade
sleep 1.5
snap 05-blast

step "the console opens (backquote) and lists its commands (ENTER on an empty line)"
pointer 400 300
key grave
sleep 0.8
key Return
sleep 1
snap 06-console
key grave
sleep 0.3

game_running || fail "the game ended during the demo"
echo "demo.sh: screenshots are in $shots"
