#!/usr/bin/env bash
# Runs a command on the test display that the CTest fixture wrote to FILE, in
# place of any display of the user's: tests that move the pointer never touch
# a real desktop. Exits 77 (CTest's skip) with the reason when there is none.
# usage: onTestDisplay.sh FILE COMMAND [ARGS...]
set -euo pipefail
file=${1:?usage: onTestDisplay.sh FILE COMMAND [ARGS...]}
shift
line=
if [ -r "$file" ]; then read -r line <"$file" || true; fi
case $line in
:*)
  export DISPLAY=$line
  exec "$@"
  ;;
none\ *)
  echo "SKIPPED: no test display: ${line#none }"
  exit 77
  ;;
*)
  echo "SKIPPED: no test display: $file is missing (run the tests through ctest, which starts one)"
  exit 77
  ;;
esac
