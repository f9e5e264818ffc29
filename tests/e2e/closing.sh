#!/usr/bin/env bash
# Every way out of the game ends it cleanly: closing the window in a level
# (paused, console open), in the menu and in full power mode, and the menu's
# Quit, each with status 0 and nothing on standard error after start-up.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
bin=${1:?usage: closing.sh BIN_DIR}
[ -x "$bin/orbix-tal" ] || { echo "game binary not built yet"; exit 0; }

started() {
  echo "closing: $1"
  game_start "$bin"
  game_wait_window 60
  game_wait_output '^cGame: Loading levels\.\. OK$' 60
  sleep 1
  stderr_mark
}

ended_cleanly() {
  # A sanitizer build checks for leaks on the way out, which takes a while on a busy machine.
  game_wait_exit 60
  [ "$GAME_STATUS" -eq 0 ] || fail "$1: exit status $GAME_STATUS"
  [ -z "$(stderr_since)" ] || fail "$1: standard error after start-up: $(stderr_since)"
}

# The menu passes straight on to the next level a few ticks after it shows. A
# middle click queued while the game is stopped, and a first tick after more
# than 550 ms, bring it all the way in, where it stays.
# A slow machine may draw the held menu late, or (rarely) let it pass on: look
# at the window (the menu's sky is blue where a level's ground is green) and try
# again until it shows.
hold_menu() {
  local try rgb
  for try in 1 2 3; do
    kill -STOP "$GAME_PID"
    click 2
    sleep 0.7
    kill -CONT "$GAME_PID"
    for _ in $(seq 20); do
      sleep 0.25
      shot "$E2E_WORK/held.png"
      rgb=$(convert "$E2E_WORK/held.png" -format '%[fx:int(255*p{200,100}.r)] %[fx:int(255*p{200,100}.g)] %[fx:int(255*p{200,100}.b)]' info:)
      set -- $rgb
      [ "$3" -gt "$1" ] && [ "$3" -gt "$2" ] && return 0
    done
  done
  fail "the menu could not be held"
}

started "a paused level with the console open"
key p grave
sleep 0.5
close_window
ended_cleanly "closed in a paused level with the console open"

started "the menu"
hold_menu
shot "$E2E_WORK/menu.png"
close_window
ended_cleanly "closed in the menu"

started "full power mode"
key F5
game_wait_output '^Entering Full Power Mode\.$' 10 stdout
sleep 1
close_window
ended_cleanly "closed in full power mode"

started "the menu's Quit"
hold_menu
# "Quit" is the second row of the menu, centred in the window.
pointer 400 250
click 1
ended_cleanly "quit from the menu"
echo "closing ok"
