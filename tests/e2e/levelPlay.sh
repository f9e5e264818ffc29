#!/usr/bin/env bash
# Plays two hand-made levels in a scratch content folder: a map without enemies
# is won at once and ENTER moves on; 'm' prints the culling lines; 'n' shows the
# minimap; a left click sends the squad walking and the view changes where it stood.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
bin=${1:?usage: levelPlay.sh BIN_DIR}

[ -x "$bin/orbix-tal" ] || { echo "game binary not built yet"; exit 0; }
[ -d "$bin/graphics" ] || { echo "content not built yet"; exit 0; }

scratch_content "$bin"
ground='rgb(110,150,70)'
# Level 1: only the squad. Level 2: the squad and one enemy far beyond sight.
convert -size 48x48 "xc:$ground" -fill 'rgb(0,255,0)' -draw 'point 24,24' \
  -type TrueColor "BMP3:$data/maps/01-empty.bmp"
convert -size 96x96 "xc:$ground" -fill 'rgb(0,255,0)' -draw 'point 20,20' \
  -fill 'rgb(255,0,0)' -draw 'point 90,90' -type TrueColor "BMP3:$data/maps/02-far.bmp"

# Pixels of the message's yellow inside the band where "CONGRATULATIONS" stands.
yellow_in() {
  convert "$1" -crop 700x90+50+215 +repage -fx '(r>0.75 && g>0.75 && b<0.35) ? 1 : 0' \
    -format '%[fx:round(mean*w*h)]' info:
}
# Pixels that differ between two shots inside the box where the squad starts:
# the file of four stands left of the leader, who is in the middle of the view.
changed() {
  local n
  n=$(compare -metric AE -fuzz 8% -crop 260x70+170+255 "$1" "$2" null: 2>&1 || true)
  echo "${n%%.*}"
}
white_at() {
  convert "$1" -format "%[fx:(p{$2,$3}.r>0.9 && p{$2,$3}.g>0.9 && p{$2,$3}.b>0.9) ? 1 : 0]" info:
}

ORBIX_DATA=$data game_start "$bin"
game_wait_window 60
# The whole window must be on the screen for the pixel checks below.
xdotool windowmove "$GAME_WIN" 0 0
sleep 0.5
pointer 400 300
game_wait_output '^cGame: Loading levels\.\. OK$' 60
sleep 3
shot "$E2E_WORK/won.png"
[ "$(identify -format %wx%h "$E2E_WORK/won.png")" = 800x600 ] || fail "the window is not wholly on the screen"
won=$(yellow_in "$E2E_WORK/won.png")
[ "$won" -gt 400 ] || fail "level without enemies not won at once ($won yellow pixels)"

key Return
sleep 2
shot "$E2E_WORK/level2.png"
left=$(yellow_in "$E2E_WORK/level2.png")
[ "$left" -lt 100 ] || fail "ENTER did not move on to the next level ($left yellow pixels)"

key m
game_wait_output '^cLevel: FOV ON\.$' 10 stdout
key m
game_wait_output '^cLevel: FOV OFF\.$' 10 stdout

pointer 700 100
sleep 1
shot "$E2E_WORK/nomap.png"
[ "$(white_at "$E2E_WORK/nomap.png" 69 480)" = 0 ] || fail "minimap frame shown before 'n'"
key n
sleep 1
shot "$E2E_WORK/map.png"
[ "$(white_at "$E2E_WORK/map.png" 69 480)" = 1 ] || fail "'n' did not show the minimap"
key n
sleep 1

shot "$E2E_WORK/still1.png"
sleep 1
shot "$E2E_WORK/still2.png"
calm=$(changed "$E2E_WORK/still1.png" "$E2E_WORK/still2.png")
click 1 650 450
sleep 4
shot "$E2E_WORK/moved.png"
moved=$(changed "$E2E_WORK/still2.png" "$E2E_WORK/moved.png")
[ "$moved" -gt $((4 * calm + 500)) ] || fail "left click changed little where the squad stood ($calm pixels idle, $moved after)"
game_running || fail "game ended"
echo "level play ok (won $won, after ENTER $left, idle $calm, moved $moved pixels)"
