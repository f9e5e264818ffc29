#!/usr/bin/env bash
# The simulation library must not call GL, GLU, GLUT or OpenAL: a game played by a
# bot or a replay runs the same code as a game on screen, with no display or sound
# card. Lists the offending symbols and fails when the library names any.
set -euo pipefail
lib=$1
found=$(nm -u "$lib" | awk '{print $NF}' | grep -E '^(gl|glu|glut|al|alc)[A-Z_]' | sort -u || true)
if [ -n "$found" ]; then
  echo "$lib calls graphics or audio libraries:"
  echo "$found"
  exit 1
fi
echo "$lib: no GL, GLU, GLUT or OpenAL symbol"
