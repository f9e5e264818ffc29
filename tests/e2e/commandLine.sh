#!/usr/bin/env bash
# The game's own options: --help and --version answer with no display, a wrong line is one
# error line and status 2, --level starts the campaign further on (the recording shows which
# level ran; the game is killed, so the file is cut short and replays up to the cut), and a
# missing recording to play is refused before any window opens.
set -euo pipefail
. "$(dirname "$0")/lib/common.sh"
bin=$(cd "${1:?usage: commandLine.sh BIN_DIR}" && pwd)

[ -x "$bin/orbix-tal" ] || { echo "game binary not built yet"; exit 0; }
[ -d "$bin/graphics" ] || { echo "content not built yet"; exit 0; }

help=$(env -u DISPLAY "$bin/orbix-tal" --help) || fail "--help failed"
for option in --help --version --level --record --play --timedemo --view -display -geometry -direct -indirect -iconic -gldebug -sync; do
  grep -q -- "$option" <<<"$help" || fail "--help does not list $option"
done
env -u DISPLAY "$bin/orbix-tal" --version | grep -Eq '^Orbix-TAL [0-9.]+$' || fail "--version"

for line in "--frobnicate" "--level 0" "--level" "-display" "--play a --record b" "--view wide" "--timedemo a --view far"; do
  status=0
  # shellcheck disable=SC2086
  env -u DISPLAY "$bin/orbix-tal" $line >/dev/null 2>"$E2E_WORK/err" || status=$?
  [ "$status" = 2 ] || fail "'$line' ended with status $status, not 2"
  [ "$(wc -l <"$E2E_WORK/err")" = 1 ] || fail "'$line' did not say one line: $(cat "$E2E_WORK/err")"
done

status=0
env -u DISPLAY "$bin/orbix-tal" --play "$E2E_WORK/none.orbrec" >/dev/null 2>"$E2E_WORK/err" || status=$?
[ "$status" = 1 ] && grep -q 'none.orbrec' "$E2E_WORK/err" || fail "a missing recording was not refused (status $status)"

scratch_content "$bin"
for n in 01 02 03; do
  convert -size 32x32 'xc:rgb(110,150,70)' -fill 'rgb(0,255,0)' -draw 'point 10,10' \
    -fill 'rgb(255,0,0)' -draw 'point 30,30' -type TrueColor "BMP3:$data/maps/$n-field.bmp"
done
# The recording's path is taken from the folder the game starts in, not its content folder.
mkdir -p "$E2E_WORK/start"
cd "$E2E_WORK/start"
ORBIX_DATA=$data game_start "$bin" --level 2 --record level.orbrec
game_wait_window 60
game_wait_output '^cGame: Loading levels\.\. OK$' 60
sleep 3
kill -9 "$GAME_PID"
wait "$GAME_PID" 2>/dev/null || true
GAME_PID=
[ -f "$E2E_WORK/start/level.orbrec" ] || fail "no recording in the start folder"
status=0
ORBIX_DATA=$data "$bin/orbix-tool" replay level.orbrec >"$E2E_WORK/replay.txt" 2>&1 || status=$?
grep -q '^map: maps/02-field.bmp .*level=2 ' "$E2E_WORK/replay.txt" || fail "--level 2 did not start level 2: $(cat "$E2E_WORK/replay.txt")"
[ "$status" = 1 ] && grep -Eq '^replay: the file ends at level 2, tick [1-9][0-9]+ \(cut short\)$' "$E2E_WORK/replay.txt" ||
  fail "a killed game's recording did not replay to its cut: $(cat "$E2E_WORK/replay.txt")"

status=0
ORBIX_DATA=$data "$bin/orbix-tal" --level 4 >/dev/null 2>"$E2E_WORK/err" || status=$?
[ "$status" = 2 ] && grep -q 'has 3 levels' "$E2E_WORK/err" || fail "--level past the last level (status $status)"
echo PASS
