#!/usr/bin/env bash
# Sets everything up on a fresh Debian machine, builds the game and plays it;
# with no display it shows a scripted demo and saves its screenshots instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh"
if [ -z "${DISPLAY:-}" ]; then
  echo "play.sh: no display to open the game window on (DISPLAY is not set)." >&2
  echo "play.sh: running a short scripted demo on a virtual display instead; play from a graphical session." >&2
  exec "$root/scripts/demo.sh"
fi
# The player's game by default; options given here (a replay, the plain game's --level) go as they are.
[ "$#" -gt 0 ] || set -- --campaign
exec "${ORBIX_BUILD_DIR:-$root/build}/bin/orbix-tal" "$@"
