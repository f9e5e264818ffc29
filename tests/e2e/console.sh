#!/usr/bin/env bash
# The console in the real game: the backquote opens it, "about" is answered on
# screen, keys typed while it is open stay out of the level, and the backquote
# closes it again so that the level gets its keys back.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
bin=${1:?usage: console.sh BIN_DIR}

if [ ! -x "$bin/orbix-tal" ] || [ ! -d "$bin/maps" ]; then
  echo "game or content not built yet: nothing to check"
  exit 0
fi

# Number of bright-red pixels in the console's output line with top Y, x 95..394.
# The panel tints whatever lies behind it green and halves its red, so only
# text drawn on the panel gets there. The newest line is at y 463 when the panel
# is fully open in the 800 x 600 window, the one before it at 447.
text_in_line() {
  convert "$1" -crop "300x16+95+$2" +repage -channel R -separate +channel -threshold 85% \
    -format '%[fx:round(mean*w*h)]' info:
}

# wait_text SHOT Y MIN: takes shots into SHOT until the line at Y holds at
# least MIN text pixels (the console slides and draws on the game's clock,
# which a loaded machine slows down); fails after about 15 seconds.
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

game_start "$bin"
game_wait_window 60
game_wait_output '^cGame: Loading levels\.\. OK$' 60
sleep 2
game_running || fail "game ended after start-up"

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
game_running || fail "game ended"
echo "console ok"
