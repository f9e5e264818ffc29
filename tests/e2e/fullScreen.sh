#!/usr/bin/env bash
# Full screen on a small (1024 x 768) screen under a light window manager: the
# window starts wholly on the screen, 'x' fills the screen and 'x' again brings
# the window back where it was. Needs openbox (a test tool only, never the
# game's); without it the script says so and passes.
set -euo pipefail
command -v openbox >/dev/null || { echo "no openbox: full screen under a window manager not tried"; exit 0; }
export E2E_SCREEN=1024x768
. "$(dirname "$0")/lib/common.sh"
bin=${1:?usage: fullScreen.sh BIN_DIR}
[ -x "$bin/orbix-tal" ] || { echo "game binary not built yet"; exit 0; }

e2e_display
openbox >"$E2E_WORK/openbox.log" 2>&1 &
wm=$!
for _ in $(seq 50); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done

game_start "$bin"
game_wait_window 60
game_wait_output '^cGame: Loading levels\.\. OK$' 60
sleep 1.5

# "X Y W H" of the window's client area on the screen.
placed() {
  eval "$(xdotool getwindowgeometry --shell "$GAME_WIN")"
  echo "$X $Y $WIDTH $HEIGHT"
}
read -r x y w h <<<"$(placed)"
[ "$w x $h" = "800 x 600" ] || fail "the window starts at $w x $h"
[ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 1024 ] && [ $((y + h)) -le 768 ] ||
  fail "the window starts partly off the 1024 x 768 screen, at $x,$y"
start="$x $y $w $h"

# By now the menu has passed on to the first level, where 'x' works.
key x
sleep 1.5
[ "$(placed)" = "0 0 1024 768" ] || fail "full screen gave $(placed)"
shot "$E2E_WORK/full.png"
key x
sleep 1.5
[ "$(placed)" = "$start" ] || fail "leaving full screen gave $(placed), not $start"
game_running || fail "game ended"
kill "$wm" 2>/dev/null || true
echo "full screen ok"
