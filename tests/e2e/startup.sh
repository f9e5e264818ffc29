#!/usr/bin/env bash
# One run of the real game under X, checking in turn: status 1 and a clear message
# without content; the window title and start-up lines; every texture, model and sound
# loaded with its exact progress line; the full power (F5) toggle; the console (the
# backquote opens it, "about" is answered on screen, keys typed into it stay out of the
# level, the backquote closes it and the level gets its keys back); a move order's
# acknowledgement reaching the audio output (OpenAL's file-writer backend stands in for a
# sound card); and the full screen ('x') toggle.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
bin=${1:?usage: startup.sh BIN_DIR}
[ -x "$bin/orbix-tal" ] || { echo "game binary not built yet"; exit 0; }
[ -d "$bin/maps" ] && [ -d "$bin/models" ] || { echo "no content built yet"; exit 0; }

# A content folder without maps/: the game says why and ends with status 1, so
# a launcher sees the failure.
mkdir -p "$E2E_WORK/empty"
status=0
ORBIX_DATA=$E2E_WORK/empty "$bin/orbix-tal" >"$GAME_OUT" 2>"$GAME_ERR" || status=$?
[ "$status" -eq 1 ] || fail "exit status $status without content, not 1"
grep -q '^Running on linux platform\.$' "$GAME_ERR" || fail "no platform line"
grep -q '^ERR: No content folder with maps/ found' "$GAME_ERR" || fail "no clear content message"
grep -q '^Closing game\. Bye\.$' "$GAME_ERR" || fail "no closing line"

expected=$E2E_WORK/expected.txt
{
  echo "cTexture: Loading texture .. "
  echo "       textures/pistol.bmp .. OK"
  echo "cTexture: Loading texture .. "
  for n in bazooka flame wink{1..7} smile1 angry{1..7} laught{1..7} cry{1..7} talk{1..7}; do
    echo "       textures/$n.bmp .. OK"
  done
  for f in ball ball_L2 ball_L4 ball_L8; do
    echo "cMeshCont: Loading mesh from \"models/$f.ASE\" .. "
    for p in BallHead BallLHand BallRHand BallPistol BallLFoot BallRFoot BallBazookaOn BallBazookaOff; do
      echo "       $p .. OK"
    done
  done
  echo "cMeshCont: Loading mesh from \"models/flame.ASE\" .. "
  echo "       BallFlame .. OK"
  echo "cMeshCont: Loading mesh from \"models/trees.ASE\" .. "
  for k in 1 2 3; do
    echo "       Tree${k}Stem .. OK"
    echo "       Tree${k}Top .. OK"
  done
  for s in ctsm roger clear laught pistol1 pistol2 pistol3 explode; do
    echo "Loading sound \"sounds/$s.wav\" .. OK"
  done
} >"$expected"

mix=$E2E_WORK/mix.wav
printf '[general]\ndrivers=wave\n[wave]\nfile=%s\n' "$mix" >"$E2E_WORK/alsoft.conf"
export ALSOFT_CONF=$E2E_WORK/alsoft.conf ALSOFT_DRIVERS=wave

game_start "$bin"
game_wait_window 60
game_wait_output '^Running on linux platform\.$'
game_wait_output '^Running on OpenGL Version: .+'
game_wait_output '^Number of Multitexture Units: [1-9][0-9]*$'
game_wait_output '^cGame: Creating console\.\. OK$'
game_wait_output '^cGame: Loading levels\.\. OK$' 60
grep -E '^(cTexture: |cMeshCont: |Loading sound |       (textures/|Ball|Tree))' "$GAME_ERR" >"$E2E_WORK/loaded.txt" || true
diff -u "$expected" "$E2E_WORK/loaded.txt" >&2 || fail "content progress lines differ from the expected ones"

# Distinct byte values among the mix's samples (behind the data chunk's header): silence has one.
signal() {
  local at
  at=$(grep -obUa 'data' "$mix" | head -n 1 | cut -d: -f1)
  [ -n "$at" ] || { echo 0; return; }
  tail -c +"$((at + 9))" "$mix" | od -An -v -tx1 | tr -s ' \n' '\n\n' | grep -v '^$' | sort -u | wc -l
}
sleep 2
game_running || fail "game ended after start-up"
# Nothing sounds before the first order: the enemies wait until the squad comes near.
[ "$(signal)" -eq 1 ] || fail "the mix was not silent before any order"

key F5
game_wait_output '^Entering Full Power Mode\.$' 10 stdout
sleep 1
game_running || fail "game ended in full power mode"
key F5
game_wait_output '^Leaving Full Power Mode\.$' 10 stdout

size() { xdotool getwindowgeometry "$GAME_WIN" | sed -n 's/.*Geometry: //p'; }
[ "$(size)" = 800x600 ] || fail "window is $(size), not 800x600"

# Number of bright-red pixels in the console's output line with top Y, x 95..394.
# The panel tints whatever lies behind it green and halves its red, so only
# text drawn on the panel gets there. The newest line is at y 463 when the panel
# is fully open in the 800 x 600 window, the one before it at 447.
text_in_line() {
  convert "$1" -crop "300x16+95+$2" +repage -channel R -separate +channel -threshold 85% \
    -format '%[fx:round(mean*w*h)]' info:
}
# wait_text SHOT Y MIN: takes shots into SHOT until the line at Y holds at least MIN
# text pixels (the console slides and draws on the game's clock, which a loaded machine
# slows down); fails after about 15 seconds.
wait_text() {
  local tries=0
  while :; do
    shot "$1"
    [ "$(text_in_line "$1" "$2")" -ge "$3" ] && return 0
    [ "$tries" -lt 30 ] || return 1
    sleep 0.5
    tries=$((tries + 1))
  done
}
key grave
wait_text "$E2E_WORK/open.png" 463 30 || fail "the console did not open on its start-up line"
[ "$(text_in_line "$E2E_WORK/open.png" 447)" -le 3 ] || fail "text above the start-up line"
# While the console is open, 'm' is typed into the command line, not sent to the level.
key m BackSpace
type_text "about"
key Return
wait_text "$E2E_WORK/about.png" 447 20 || fail "no echo of the command"
[ "$(text_in_line "$E2E_WORK/about.png" 463)" -ge 30 ] || fail "no answer drawn in the console"
[ "$(count_output 'FOV' stdout)" = 0 ] || fail "a key typed into the console reached the level"
key grave
sleep 1
key m
game_wait_output 'FOV' 10 stdout

# A left click on the ground gives the squad a move order, which it acknowledges aloud.
click 1 400 420
sleep 2
click 1 300 380
sleep 2
game_running || fail "game ended after a move order"
[ -s "$mix" ] || fail "the audio backend wrote no mix"
[ "$(signal)" -gt 1 ] || fail "the mix stayed silent after two move orders"

# 'x' works in a level, where the game is by now.
key x
sleep 1
screen=$(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*x[0-9]*\).*/\1/p')
[ "$(size)" = "$screen" ] || fail "full screen gave $(size), screen is $screen"
key x
sleep 1
[ "$(size)" = 800x600 ] || fail "leaving full screen gave $(size)"
game_running || fail "game ended"
echo "startup ok"
