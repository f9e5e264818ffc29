#!/usr/bin/env bash
# Sets everything up on a fresh Debian machine, builds the game and plays it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh"
exec "${ORBIX_BUILD_DIR:-$root/build}/bin/orbix-tal" "$@"
