#!/usr/bin/env bash
# Levels that cannot be played say so in the window (which map, why) and on
# standard error, and ENTER and ESC lead on; an empty maps folder is explained
# and ESC (or closing the window) ends the game with status 1.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
bin=${1:?usage: levelErrors.sh BIN_DIR}
[ -x "$bin/orbix-tal" ] && [ -d "$bin/maps" ] || { echo "game or content not built yet"; exit 0; }

scratch_content "$bin"
first=$(ls "$bin/maps" | head -n 1)
head -c 3000 "$bin/maps/$first" >"$data/maps/01-cut.bmp"
echo "not a picture, only words" >"$data/maps/02-words.bmp"
export ORBIX_DATA=$data

# Share of the picture that is not black, in per cent.
lit() { convert "$1" -colorspace Gray -threshold 5% -format '%[fx:int(mean*1000)/10]' info:; }
# A screenshot once the window shows something: a slow machine (a sanitizer build
# beside other work) may draw the message well after it was printed.
shot_lit() {
  for _ in $(seq 40); do
    shot "$1"
    [ "$(lit "$1" | cut -d. -f1)" -ge 1 ] && return 0
    sleep 0.25
  done
}

game_start "$bin"
game_wait_window 60
game_wait_output '^cLevel: cannot play the map "maps/01-cut\.bmp": the file is cut short\.$' 60
sleep 0.5
shot_lit "$E2E_WORK/cut.png"
key Return
game_wait_output '^cLevel: cannot play the map "maps/02-words\.bmp": it is not a BMP picture\.$' 10
sleep 0.5
shot_lit "$E2E_WORK/words.png"
for s in cut words; do
  [ "$(lit "$E2E_WORK/$s.png" | cut -d. -f1)" -ge 1 ] || fail "the $s map's window is black"
done
differ=$(compare -metric AE "$E2E_WORK/cut.png" "$E2E_WORK/words.png" null: 2>&1 || true)
[ "${differ%% *}" -gt 500 ] || fail "the two messages look the same ($differ pixels differ)"
# ESC flees to the menu, which starts again at the first level.
key Escape
for _ in $(seq 50); do
  [ "$(count_output '01-cut\.bmp')" -ge 2 ] && break
  sleep 0.2
done
[ "$(count_output '01-cut\.bmp')" -ge 2 ] || fail "ESC did not lead back to the first level"
close_window
game_wait_exit 60
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS after closing"

# No map at all: the window says so, and the end is a failure (status 1).
rm -f "$data/maps/"*
for way in escape close; do
  game_start "$bin"
  game_wait_window 60
  game_wait_output "^cGame: no level found in the folder \"$data/maps\"\\.\$" 60
  sleep 0.5
  if [ "$way" = escape ]; then
    shot "$E2E_WORK/nolevel.png"
    [ "$(lit "$E2E_WORK/nolevel.png" | cut -d. -f1)" -ge 1 ] || fail "no message in the window without levels"
    key Escape
  else
    close_window
  fi
  game_wait_exit 60
  [ "$GAME_STATUS" -eq 1 ] || fail "exit status $GAME_STATUS without levels ($way), not 1"
done
echo "level errors ok"
