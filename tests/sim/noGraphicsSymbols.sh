#!/usr/bin/env bash
# The simulation library (and the bots and headless tool commands on it) must not call GL, GLU, GLUT or OpenAL: a game played by a
# bot or a replay runs the same code as a game on screen, with no display or sound
# card. Lists the offending symbols and fails when a library names any.
set -euo pipefail
status=0
for lib in "$@"; do
  found=$(nm -u "$lib" | awk '{print $NF}' | grep -E '^(gl|glu|glut|al|alc)[A-Z_]' | sort -u || true)
  if [ -n "$found" ]; then
    echo "$lib calls graphics or audio libraries:"
    echo "$found"
    status=1
  else
    echo "$lib: no GL, GLU, GLUT or OpenAL symbol"
  fi
done
exit $status
