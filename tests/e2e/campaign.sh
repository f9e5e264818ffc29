#!/usr/bin/env bash
# Campaign mode as a new player meets it, in a scratch home: the menu waits, New Game
# starts level 1 without god mode, a won level is kept after the window is closed, a new
# start continues at level 2, and Settings changes last across a restart.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
bin=${1:?usage: campaign.sh BIN_DIR}

[ -x "$bin/orbix-tal" ] || { echo "game binary not built yet"; exit 0; }
[ -d "$bin/maps" ] || { echo "content not built yet"; exit 0; }

export HOME=$E2E_WORK/home XDG_CONFIG_HOME=$E2E_WORK/home/config XDG_DATA_HOME=$E2E_WORK/home/data
mkdir -p "$HOME"
settings=$XDG_CONFIG_HOME/orbix-tal/settings.toml
progress=$XDG_DATA_HOME/orbix-tal/progress.toml

# Starts the campaign and waits for its menu.
campaign_start() {
  game_start "$bin" --campaign
  game_wait_window 90
  game_wait_output '^campaign: menu' 90
  sleep 1
}
# Rows are 40 pixels apart from y = 156 in the 800 x 600 window; hovering one selects it.
row() { pointer 400 $((176 + 40 * $1)); sleep 0.5; }

campaign_start
[ -f "$settings" ] && [ -f "$progress" ] || fail "the first start did not write the kept files"
sleep 10
game_running || fail "the game ended by itself in the menu"
[ "$(count_output '^campaign: level')" = 0 ] || fail "a level started without the player"

# New Game is the first row.
row 0
key Return
game_wait_output '^campaign: level 1 .*god mode off' 60
# The testing aid hurts every enemy; enough taps win the level.
for _ in $(seq 80); do
  grep -q '^campaign: level 1 won' "$GAME_ERR" && break
  tap k 1
done
game_wait_output '^campaign: level 1 won' 30
close_window
game_wait_exit 30
grep -Eq "^last = '02-" "$progress" || fail "progress.toml does not continue at level 2: $(cat "$progress")"

# Continue is the second row and starts level 2.
campaign_start
row 1
key Return
game_wait_output '^campaign: level 2 ' 60
# Esc in a level goes back to the menu, the campaign kept.
stderr_mark
key Escape
for _ in $(seq 150); do stderr_since | grep -q '^campaign: menu' && break; sleep 0.2; done
stderr_since | grep -q '^campaign: menu' || fail "Esc in a level did not open the menu"
game_running || fail "Esc in a level ended the game"

# Settings is the fourth row, clicked: the difficulty one step on, the volume one step down.
row 3
click 1
sleep 1
row 0
key Right
row 1
key Left
for _ in $(seq 50); do grep -q '^volume = 70' "$settings" && break; sleep 0.2; done
grep -q '^difficulty = "veteran"' "$settings" || fail "the difficulty was not saved: $(cat "$settings")"
grep -q '^volume = 70' "$settings" || fail "the volume was not saved: $(cat "$settings")"
close_window
game_wait_exit 30

campaign_start
grep -q '^difficulty = "veteran"' "$settings" || fail "the difficulty was lost on a restart"
grep -q '^volume = 70' "$settings" || fail "the volume was lost on a restart"
close_window
game_wait_exit 30
echo "campaign: menu, new game, win, continue and settings kept across restarts"
