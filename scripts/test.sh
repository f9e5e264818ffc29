#!/usr/bin/env bash
# Sets everything up on a fresh Debian machine, builds the game and runs every
# test. Tests that draw run on a private Xvfb that CTest's display fixture starts
# on a display number the server itself finds free (so parallel runs on one
# machine never share or steal a display) and stops again (tests/display).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ORBIX_BUILD_DIR:-$root/build}
"$root/scripts/deps.sh"
"$root/scripts/build.sh" "$@"
# A software renderer without glibc's per-frame trimming runs several times faster.
export MALLOC_TRIM_THRESHOLD_=268435456 MALLOC_TOP_PAD_=67108864
export ALSOFT_DRIVERS=${ALSOFT_DRIVERS:-null}
# A sanitizer build leaves out what only the GL driver and the audio library keep
# for the life of the process, as CI does (the file names nothing of ours).
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/lsan.supp:print_suppressions=0}
ctest --test-dir "$build" --output-on-failure -j2
