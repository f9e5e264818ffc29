#!/usr/bin/env bash
# Configures and builds the game into build/ (or $ORBIX_BUILD_DIR).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ORBIX_BUILD_DIR:-$root/build}
# ccache keyed on paths relative to the checkout, so a second clone (CI's fresh
# one, say) reuses what an earlier build on this machine compiled.
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
# Warnings are errors in our own builds; a packager's plain cmake build keeps them warnings.
cmake -S "$root" -B "$build" -G Ninja -DORBIX_WERROR=ON "$@"
cmake --build "$build"
