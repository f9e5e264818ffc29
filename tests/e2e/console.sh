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

# Share of pixels in the console's bottom output line (x 95..394, y 463..478)
# whose red channel is bright: the panel tints whatever lies behind it green and
# halves its red, so only text drawn on it gets there.
text_in_last_line() {
  convert "$1" -crop 300x16+95+463 +repage -channel R -separate -threshold 85% \
    -format '%[fx:mean*100]' info: | cut -d. -f1
}

game_start "$bin"
game_wait_window 60
game_wait_output '^cGame: Loading levels\.\. OK$' 60
sleep 2
game_running || fail "game ended after start-up"

key grave
sleep 1
shot "$E2E_WORK/open.png"
[ "$(text_in_last_line "$E2E_WORK/open.png")" -lt 2 ] || fail "text in the answer line before any command"

# While the console is open, 'm' is typed into the command line, not sent to the level.
key m BackSpace
type_text "about"
key Return
sleep 1
shot "$E2E_WORK/about.png"
[ "$(count_output 'FOV' stdout)" = 0 ] || fail "a key typed into the console reached the level"
lit=$(text_in_last_line "$E2E_WORK/about.png")
[ "$lit" -ge 5 ] || fail "no answer drawn in the console (${lit}% lit)"

key grave
sleep 1
key m
game_wait_output 'FOV' 10 stdout
game_running || fail "game ended"
[ -n "${E2E_KEEP:-}" ] && cp "$E2E_WORK"/*.png "${E2E_KEEP}" 2>/dev/null
echo "console ok"
