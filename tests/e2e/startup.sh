#!/usr/bin/env bash
# The real game under X: window title, start-up lines, keeps running, and the
# full power (F5) and full screen ('x') toggles.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
bin=${1:?usage: startup.sh BIN_DIR}

# A content folder without maps/: the game says why and ends with status 1, so
# a launcher sees the failure.
mkdir -p "$E2E_WORK/empty"
status=0
ORBIX_DATA=$E2E_WORK/empty "$bin/orbix-tal" >"$GAME_OUT" 2>"$GAME_ERR" || status=$?
[ "$status" -eq 1 ] || fail "exit status $status without content, not 1"
grep -q '^Running on linux platform\.$' "$GAME_ERR" || fail "no platform line"
grep -q '^ERR: No content folder with maps/ found' "$GAME_ERR" || fail "no clear content message"
grep -q '^Closing game\. Bye\.$' "$GAME_ERR" || fail "no closing line"

game_start "$bin"
game_wait_window 60
game_wait_output '^Running on linux platform\.$'
game_wait_output '^Running on OpenGL Version: .+'
game_wait_output '^Number of Multitexture Units: [1-9][0-9]*$'
game_wait_output '^cGame: Creating console\.\. OK$'
game_wait_output '^cGame: Loading levels\.\. OK$' 60
sleep 2
game_running || fail "game ended after start-up"

key F5
game_wait_output '^Entering Full Power Mode\.$' 10 stdout
sleep 1
game_running || fail "game ended in full power mode"
key F5
game_wait_output '^Leaving Full Power Mode\.$' 10 stdout

size() { xdotool getwindowgeometry "$GAME_WIN" | sed -n 's/.*Geometry: //p'; }
[ "$(size)" = 800x600 ] || fail "window is $(size), not 800x600"
# By now the menu has passed on to the first level, where 'x' works.
key x
sleep 1
screen=$(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*x[0-9]*\).*/\1/p')
[ "$(size)" = "$screen" ] || fail "full screen gave $(size), screen is $screen"
key x
sleep 1
[ "$(size)" = 800x600 ] || fail "leaving full screen gave $(size)"

shot "$E2E_WORK/startup.png"
game_running || fail "game ended"
echo "startup ok"
