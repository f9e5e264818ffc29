#!/usr/bin/env bash
# The real game loads every texture, model and sound with its exact progress
# line, and a move order's acknowledgement really reaches the audio output
# (OpenAL's file-writer backend stands in for a sound card).
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
bin=${1:?usage: contentLoading.sh BIN_DIR}

[ -x "$bin/orbix-tal" ] || { echo "game binary not built yet"; exit 0; }
[ -d "$bin/maps" ] && [ -d "$bin/models" ] || { echo "no content built yet"; exit 0; }

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
# A left click on the ground gives the squad a move order, which it acknowledges aloud.
click 1 400 420
sleep 2
click 1 300 380
sleep 2
game_running || fail "game ended after a move order"
[ -s "$mix" ] || fail "the audio backend wrote no mix"
[ "$(signal)" -gt 1 ] || fail "the mix stayed silent after two move orders"
echo "content loading ok"
