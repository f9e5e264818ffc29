# Source this, then call use_display: keeps $DISPLAY when there is one, otherwise
# starts a private Xvfb on a display number the server finds free and exports it.
# start_private_display always starts one (the tests never draw on a real desktop).
# stop_private_display ends that server again (call it from the EXIT trap).
XVFB_PID=
XVFB_DIR=

use_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  start_private_display
}

# -noreset: no server reset (and refused connections) each time the last client
# leaves just as the next one connects, as happens between tests.
start_private_display() {
  command -v Xvfb >/dev/null || { echo "no display and no Xvfb (scripts/deps.sh installs it)" >&2; return 1; }
  XVFB_DIR=$(mktemp -d "${TMPDIR:-/tmp}/orbix-xvfb.XXXXXX")
  Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$XVFB_DIR/display" 2>"$XVFB_DIR/log" &
  XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$XVFB_DIR/display" ] && break
    kill -0 "$XVFB_PID" 2>/dev/null || { cat "$XVFB_DIR/log" >&2; echo "Xvfb did not start" >&2; return 1; }
    sleep 0.1
  done
  [ -s "$XVFB_DIR/display" ] || { echo "Xvfb gave no display number" >&2; return 1; }
  export DISPLAY=:$(head -n 1 "$XVFB_DIR/display")
}

stop_private_display() {
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
  fi
  [ -z "$XVFB_DIR" ] || rm -rf "$XVFB_DIR"
}
