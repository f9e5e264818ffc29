#!/usr/bin/env bash
# CTest fixture of the tests that draw: `start DIR` starts a private Xvfb on a
# display number the server itself finds free and writes ":N" to DIR/display;
# `stop DIR` ends it. Without Xvfb, DIR/display says why instead, and the tests
# that read it skip (onTestDisplay.sh, the GL tests' main).
# The screen holds the whole game window at its start position (300, 300).
set -euo pipefail
action=${1:?usage: xvfbFixture.sh start|stop DIR}
dir=${2:?usage: xvfbFixture.sh start|stop DIR}

stop() {
  [ -f "$dir/pid" ] || return 0
  local pid
  pid=$(cat "$dir/pid")
  # Only our own server: a pid left from a killed run may belong to anything by now.
  if [ -n "$pid" ] && grep -qa '^Xvfb' "/proc/$pid/cmdline" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  fi
  rm -f "$dir/pid" "$dir/display" "$dir/number"
}

case $action in
start)
  mkdir -p "$dir"
  stop
  if ! command -v Xvfb >/dev/null; then
    echo "none Xvfb is not installed (scripts/deps.sh installs the xvfb package)" >"$dir/display"
    echo "xvfbFixture: Xvfb is not installed; the tests that draw will skip"
    exit 0
  fi
  # Detached, with no descriptor of CTest's open, so CTest does not wait for it.
  # -noreset: no server reset (and refused connections) each time the last client
  # leaves just as the next one connects, as happens between tests.
  setsid Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp \
    3>"$dir/number" </dev/null >"$dir/log" 2>&1 &
  echo $! >"$dir/pid"
  for _ in $(seq 100); do
    [ -s "$dir/number" ] && break
    kill -0 "$(cat "$dir/pid")" 2>/dev/null || { cat "$dir/log"; echo "xvfbFixture: Xvfb did not start" >&2; exit 1; }
    sleep 0.1
  done
  [ -s "$dir/number" ] || { echo "xvfbFixture: Xvfb gave no display number" >&2; stop; exit 1; }
  echo ":$(head -n 1 "$dir/number")" >"$dir/display.new"
  mv "$dir/display.new" "$dir/display"
  echo "xvfbFixture: tests draw on display $(cat "$dir/display")"
  ;;
stop) stop ;;
*) echo "usage: xvfbFixture.sh start|stop DIR" >&2; exit 2 ;;
esac
