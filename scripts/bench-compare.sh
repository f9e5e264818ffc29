#!/usr/bin/env bash
# Times an older revision of the game beside this tree's, on the same machine in one run:
# builds OLDREV from git into its own folder under /tmp with this build's type and flags,
# then plays each level's bot recording (bench/recordings, this tree's) in both builds in
# turn, old then new, in the default view and the wide one (an old build without --view
# gets 'n/a'), and runs both builds' synthetic frame (BM_Frame) the same way, level by level. The games
# run as a player starts them: no malloc settings in their environment.
# usage: scripts/bench-compare.sh OLDREV [--runs N] [--levels 'NAME ...'] [--views 'default wide']
#   --runs N   each figure is the median of N runs (default 1; old and new alternate)
#   --levels   only these levels (names as in bench/recordings, e.g. 07-islands)
#   --views    only these views
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
usage() { sed -n 's/^# usage: //p;s/^#   /   /p' "$0" >&2; exit 2; }
[ $# -ge 1 ] || usage
oldrev=$1
shift
runs=1 levels= views="default wide"
while [ $# -gt 0 ]; do
  case $1 in
    --runs) runs=${2:?}; shift 2 ;;
    --levels) levels=${2:?}; shift 2 ;;
    --views) views=${2:?}; shift 2 ;;
    *) usage ;;
  esac
done
[[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "bench-compare.sh: --runs needs a whole number of at least 1" >&2; exit 2; }
for v in $views; do
  [ "$v" = default ] || [ "$v" = wide ] || { echo "bench-compare.sh: unknown view '$v'" >&2; exit 2; }
done
sha=$(git -C "$root" rev-parse --verify --quiet "$oldrev^{commit}") ||
  { echo "bench-compare.sh: '$oldrev' is no revision of this repository" >&2; exit 2; }

export CCACHE_NOHASHDIR=1
export ALSOFT_DRIVERS=${ALSOFT_DRIVERS:-null}
new=${ORBIX_BUILD_DIR:-$root/build}
[ -f "$new/CMakeCache.txt" ] || cmake -S "$root" -B "$new" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
type=$(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' "$new/CMakeCache.txt")
case $type in Release | RelWithDebInfo) ;; *) echo "bench-compare.sh: $new is a '$type' build; time a Release or RelWithDebInfo one" >&2; exit 2 ;; esac
# The old tree is kept by revision, so a second comparison with it builds nothing.
old=${TMPDIR:-/tmp}/orbix-compare-${sha:0:12}
if [ ! -f "$old/src/CMakeLists.txt" ]; then
  rm -rf "$old"
  mkdir -p "$old/src"
  git -C "$root" archive "$sha" | tar -x -C "$old/src"
fi
echo "bench-compare.sh: building $oldrev (${sha:0:12}) and this tree, $type ..." >&2
[ -f "$old/build/CMakeCache.txt" ] ||
  CCACHE_BASEDIR=$old/src cmake -S "$old/src" -B "$old/build" -G Ninja -DCMAKE_BUILD_TYPE="$type" >/dev/null
# The game finds its maps and models beside itself, so the content is built too.
CCACHE_BASEDIR=$old/src cmake --build "$old/build" -j2 --target orbix-tal orbix-bench content >/dev/null
CCACHE_BASEDIR=$root cmake --build "$new" -j2 --target orbix-tal orbix-bench content >/dev/null

out=$(mktemp -d "${TMPDIR:-/tmp}/orbix-compare.XXXXXX")
. "$root/scripts/lib/xvfb.sh"
trap 'stop_private_display; rm -rf "$out"' EXIT
use_display

# The game as a player starts it: whatever malloc tuning this shell carries stays out.
as_player=(env)
for var in $(compgen -e | grep -E '^(MALLOC_|GLIBC_TUNABLES$)' || true); do as_player+=(-u "$var"); done

has_view() { "$1/bin/orbix-tal" --help 2>/dev/null | grep -q -- --view; }
# timedemo BUILD RECORDING VIEW: its fps, or why there is none.
timedemo() {
  local args=(--timedemo "$2") line
  if [ "$3" = wide ]; then has_view "$1" || { echo n/a; return; }; args+=(--view wide); fi
  if line=$(cd "$out" && "${as_player[@]}" "$1/bin/orbix-tal" "${args[@]}" 2>"$out/err" | tail -n 1) &&
    [[ $line == *" fps" ]]; then
    awk '{print $(NF-1)}' <<<"$line"
  else
    echo "failed"
    echo "bench-compare.sh: $(basename "$2") $3 in $1: $(tail -n 1 "$out/err")" >&2
  fi
}

echo "bench-compare.sh: machine load before: $(uptime)" >&2
for rec in "$root"/bench/recordings/*.orbrec; do
  name=$(basename "$rec" .orbrec)
  [ -z "$levels" ] || [[ " $levels " == *" $name "* ]] || continue
  for view in $views; do
    echo "bench-compare.sh: $name, $view view ..." >&2
    for _ in $(seq "$runs"); do
      for build in old new; do
        dir=$old/build
        [ $build = new ] && dir=$new
        echo "$name $view $build $(timedemo "$dir" "$rec" "$view")" >>"$out/timedemo.txt"
      done
    done
  done
done
echo "bench-compare.sh: BM_Frame ..." >&2
# Level by level, old then new, as the timedemos: this machine's speed drifts over minutes,
# and one build's whole series after the other's would measure the drift.
for rec in "$root"/bench/recordings/*.orbrec; do
  name=$(basename "$rec" .orbrec)
  [ -z "$levels" ] || [[ " $levels " == *" $name "* ]] || continue
  for run in $(seq "$runs"); do
    for build in old new; do
      dir=$old/build
      [ $build = new ] && dir=$new
      # Into a file of its own: the loaders' messages share standard output.
      "${as_player[@]}" "$dir/bin/orbix-bench" --benchmark_filter="^BM_Frame/$name\\.bmp/" \
        --benchmark_out="$out/frame-$build-$run-$name.json" --benchmark_out_format=json \
        --benchmark_min_time="${ORBIX_BENCH_MIN_TIME:-1.0}" >/dev/null 2>&1 ||
        echo "bench-compare.sh: BM_Frame of $name failed in the $build build" >&2
    done
  done
done
echo "bench-compare.sh: machine load after: $(uptime)" >&2
echo "old: $oldrev (${sha:0:12}), new: $(git -C "$root" describe --always --dirty), $type, $runs run(s) each, median"
python3 "$root/scripts/benchCompareTable.py" "$out"
