#!/usr/bin/env bash
# Sets everything up on a fresh Debian machine, builds the game and plays it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh"
if [ -z "${DISPLAY:-}" ]; then
  echo "play.sh: no display to open the game window on (DISPLAY is not set)." >&2
  echo "Run it from a graphical session, or under a virtual one: xvfb-run -a scripts/play.sh" >&2
  exit 1
fi
exec "${ORBIX_BUILD_DIR:-$root/build}/bin/orbix-tal" "$@"
