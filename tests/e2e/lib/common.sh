# Shell helpers for end-to-end tests that drive the real game window.
# Source this file, then: game_start BIN_DIR; game_wait_window; keys/clicks;
# game_wait_output PATTERN; shot FILE. The game is killed when the script exits.
# Needs DISPLAY (the test runner provides an Xvfb), xdotool and ImageMagick.

E2E_WORK=${E2E_WORK:-$(mktemp -d "${TMPDIR:-/tmp}/orbix-e2e.XXXXXX")}
GAME_OUT=$E2E_WORK/stdout.txt
GAME_ERR=$E2E_WORK/stderr.txt
GAME_PID=
GAME_WIN=
XVFB_PID=
GAME_TITLE="Orbix-TAL  v.0.0.2.0"

# A content folder of our own in the scratch space: the built textures, models,
# sounds and graphics linked in, and an empty maps/ for the test's own levels.
# Sets data to its path.
scratch_content() {
  data=$E2E_WORK/data
  mkdir -p "$data/maps"
  local d
  for d in textures models sounds graphics; do ln -s "$(cd "$1/$d" && pwd)" "$data/$d"; done
}

fail() {
  echo "FAIL: $*" >&2
  if [ -f "$GAME_ERR" ]; then
    echo "--- game stderr (last 30 lines):" >&2
    tail -n 30 "$GAME_ERR" >&2
    echo "--- game stdout (last 30 lines):" >&2
    tail -n 30 "$GAME_OUT" >&2
  fi
  exit 1
}

game_stop() {
  if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
    kill "$GAME_PID" 2>/dev/null || true
    for _ in 1 2 3 4 5 6 7 8 9 10; do
      kill -0 "$GAME_PID" 2>/dev/null || break
      sleep 0.2
    done
    kill -9 "$GAME_PID" 2>/dev/null || true
  fi
  [ -z "$GAME_PID" ] || wait "$GAME_PID" 2>/dev/null || true
  GAME_PID=
}

# Keeps the script's own exit status; E2E_KEEP=1 keeps the work folder.
_e2e_cleanup() {
  local rc=$?
  game_stop
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
  if [ -n "${E2E_KEEP:-}" ]; then
    echo "e2e files kept in $E2E_WORK" >&2
  else
    rm -rf "$E2E_WORK"
  fi
  exit "$rc"
}
trap _e2e_cleanup EXIT

# Makes sure DISPLAY answers: the runner's display gets a few seconds; when it
# never answers (unset, or gone), this script starts a private Xvfb of its own.
# E2E_SCREEN=WxH asks for a private display of that size in any case.
e2e_display() {
  local i
  [ -z "$XVFB_PID" ] || return 0
  if [ -n "${DISPLAY:-}" ] && [ -z "${E2E_SCREEN:-}" ]; then
    for i in $(seq 20); do
      xdpyinfo >/dev/null 2>&1 && return 0
      sleep 0.5
    done
    echo "e2e: display $DISPLAY does not answer; starting a private one" >&2
  fi
  Xvfb -displayfd 3 -noreset -screen 0 "${E2E_SCREEN:-1280x1024}x24" -nolisten tcp 3>"$E2E_WORK/display" 2>"$E2E_WORK/xvfb.log" &
  XVFB_PID=$!
  for i in $(seq 100); do
    [ -s "$E2E_WORK/display" ] && break
    sleep 0.1
  done
  [ -s "$E2E_WORK/display" ] || fail "no display, and a private Xvfb did not start"
  export DISPLAY=:$(head -n 1 "$E2E_WORK/display")
}

# game_start BIN_DIR [args...]: starts the game in the background; output goes
# to $GAME_OUT and $GAME_ERR. Sound goes to OpenAL's null device unless set.
game_start() {
  local bin=$1
  shift
  e2e_display
  [ -x "$bin/orbix-tal" ] || fail "no game binary at $bin/orbix-tal"
  ALSOFT_DRIVERS=${ALSOFT_DRIVERS:-null} "$bin/orbix-tal" "$@" >"$GAME_OUT" 2>"$GAME_ERR" &
  GAME_PID=$!
}

game_running() { [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; }

# game_wait_window [seconds]: waits for the window with the game's title, then
# moves the pointer into it (keys reach it only while the pointer is inside).
game_wait_window() {
  local timeout=${1:-30} waited=0
  while [ "$waited" -lt "$((timeout * 5))" ]; do
    game_running || fail "game ended before its window appeared"
    GAME_WIN=$(xdotool search --name "^${GAME_TITLE}\$" 2>/dev/null | head -n 1 || true)
    [ -n "$GAME_WIN" ] && break
    sleep 0.2
    waited=$((waited + 1))
  done
  [ -n "$GAME_WIN" ] || fail "no window titled '$GAME_TITLE' after ${timeout}s"
  pointer 400 300
}

# pointer X Y: moves the pointer to window pixel (X, Y).
pointer() { xdotool mousemove --window "$GAME_WIN" "$1" "$2"; }

# key NAME...: taps keys by X keysym name (Return, F5, x, grave, ...).
key() { xdotool key --delay 60 "$@"; }
# tap KEY COUNT: taps one key again and again. The game drops a release it reads
# while the key is down again (its key-repeat filter), so a busy game needs room.
tap() {
  local i
  for i in $(seq "$2"); do
    key "$1"
    sleep 0.4
  done
}
# type_text TEXT: types printable text.
type_text() { xdotool type --delay 60 "$1"; }
# click BUTTON [X Y]: 1 left, 2 middle, 3 right.
click() {
  [ $# -ge 3 ] && pointer "$2" "$3"
  xdotool click "$1"
}
button_down() { xdotool mousedown "$1"; }
button_up() { xdotool mouseup "$1"; }

# game_wait_output PATTERN [seconds] [stdout|stderr]: waits for a line matching
# the extended regular expression in the game's output (stderr by default).
game_wait_output() {
  local pattern=$1 timeout=${2:-30} file=$GAME_ERR waited=0
  [ "${3:-stderr}" = stdout ] && file=$GAME_OUT
  while ! grep -Eq -- "$pattern" "$file" 2>/dev/null; do
    [ "$waited" -lt "$((timeout * 5))" ] || fail "no output matching '$pattern' after ${timeout}s"
    game_running || fail "game ended before printing '$pattern'"
    sleep 0.2
    waited=$((waited + 1))
  done
}

# count_output PATTERN [stdout|stderr]: number of matching lines so far.
count_output() {
  local file=$GAME_ERR
  [ "${2:-stderr}" = stdout ] && file=$GAME_OUT
  grep -Ec -- "$1" "$file" 2>/dev/null || true
}

# shot FILE: screenshot of the game window's 800 x 600 client area (the screen's
# top-left corner when the window cannot be located).
shot() {
  local X=0 Y=0 WINDOW SCREEN WIDTH HEIGHT
  if [ -n "$GAME_WIN" ]; then
    eval "$(xdotool getwindowgeometry --shell "$GAME_WIN" 2>/dev/null)"
  fi
  import -window root -crop "800x600+${X}+${Y}" +repage "$1"
}

# close_window: sends the game window the close request a desktop's close
# button sends (xdotool cannot); the helper is compiled on first use.
close_window() {
  local helper=$E2E_WORK/wmClose
  if [ ! -x "$helper" ]; then
    cc -o "$helper" "$(dirname "${BASH_SOURCE[0]}")/wmClose.c" -lX11 || fail "cannot compile the close helper"
  fi
  "$helper" "$GAME_WIN" || fail "the close request was not sent"
}

# game_wait_exit [seconds]: waits for the game to end and sets GAME_STATUS to
# its exit status; fails when it is still running after the time.
game_wait_exit() {
  local timeout=${1:-20} waited=0
  while game_running; do
    [ "$waited" -lt "$((timeout * 5))" ] || fail "the game did not end within ${timeout}s"
    sleep 0.2
    waited=$((waited + 1))
  done
  GAME_STATUS=0
  wait "$GAME_PID" || GAME_STATUS=$?
  GAME_PID=
}

# stderr_mark, then stderr_since: the game's standard error lines written after the mark.
stderr_mark() { ERR_MARK=$(wc -l <"$GAME_ERR"); }
stderr_since() { tail -n +"$((ERR_MARK + 1))" "$GAME_ERR"; }
