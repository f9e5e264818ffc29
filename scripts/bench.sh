#!/usr/bin/env bash
# Runs every benchmark and prints one table: the tick at scale, level building,
# start-up to the first drawn frame, content loading, the frame rate (synthetic, and
# the timedemo of the bot recording in bench/recordings) and a bot game per shipped
# level, and ASE loading beside Assimp's importer per file.
# Drawing needs a display: $DISPLAY, or a private Xvfb that this script starts.
# usage: scripts/bench.sh [--quick]   (--quick: shorter runs, rougher figures)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ORBIX_BUILD_DIR:-$root/build}
bin=$build/bin
min_time=${ORBIX_BENCH_MIN_TIME:-1.0}
[ "${1:-}" = --quick ] && min_time=0.2
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root} CCACHE_NOHASHDIR=1
export ALSOFT_DRIVERS=${ALSOFT_DRIVERS:-null}
# As in the test runs: a software renderer without glibc's per-frame trimming runs faster.
# The timedemo below runs without them, as a player starts the game.
export MALLOC_TRIM_THRESHOLD_=268435456 MALLOC_TOP_PAD_=67108864

[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=(orbix-tal orbix-bench orbix-tool)
grep -q '^assimp_DIR:PATH=/' "$build/CMakeCache.txt" && targets+=(orbix-bench-assimp)
cmake --build "$build" -j2 --target "${targets[@]}" >/dev/null

out=$(mktemp -d "${TMPDIR:-/tmp}/orbix-bench.XXXXXX")
. "$root/scripts/lib/xvfb.sh"
trap 'stop_private_display; rm -rf "$out"' EXIT
use_display

run() {  # run NAME BINARY [ARGS...]: Google Benchmark JSON into $out/NAME.json
  local name=$1 program=$2
  shift 2
  echo "bench.sh: running $name ..." >&2
  "$program" --benchmark_out="$out/$name.json" --benchmark_out_format=json \
    --benchmark_min_time="$min_time" "$@" >/dev/null 2>"$out/$name.err" ||
    { cat "$out/$name.err" >&2; echo "bench.sh: $name failed" >&2; }
}
run sim "$bin/orbix-bench" --benchmark_filter='^BM_(TickBattle|LevelBuild|BotGame|LoadMeshContainer|LoadTextureSet)'
run frame "$bin/orbix-bench" --benchmark_filter='^BM_Frame/'
[ -x "$bin/orbix-bench-assimp" ] && run ase "$bin/orbix-bench-assimp"

# Real play drawn as fast as it goes: each shipped level's bot recording (made by
# scripts/record-bot-games.sh), one frame per recorded tick, in the default view and in
# the wide one (as far out as the camera goes), the game started as a player starts it.
for map in "$bin"/maps/*.bmp; do
  name=$(basename "$map" .bmp)
  rec=$root/bench/recordings/$name.orbrec
  [ -f "$rec" ] || continue
  for view in default wide; do
    echo "bench.sh: timedemo $name, $view view ..." >&2
    line=$(env -u MALLOC_TRIM_THRESHOLD_ -u MALLOC_TOP_PAD_ "$bin/orbix-tal" --timedemo "$rec" --view "$view" \
      2>"$out/timedemo-$name.err" | tail -n 1) || line="failed: $(tail -n 1 "$out/timedemo-$name.err")"
    echo "$name $view $line" >>"$out/timedemo.txt"
  done
done

# Start-up to the first drawn frame: from launching the game until its window
# first shows anything but black, polled about every 20 ms; best of three.
first_frame_ms() {
  local t0 pid wid now lit
  t0=$(date +%s%N)
  (cd "$out" && exec "$bin/orbix-tal" >/dev/null 2>&1) &
  pid=$!
  for _ in $(seq 1500); do
    kill -0 "$pid" 2>/dev/null || break
    wid=$(xdotool search --name '^Orbix-TAL' 2>/dev/null | head -n 1 || true)
    if [ -n "$wid" ]; then
      lit=$(import -window "$wid" -depth 8 gray:- 2>/dev/null | tr -d '\000' | head -c 1 | wc -c)
      now=$(date +%s%N)
      if [ "$lit" -gt 0 ]; then
        kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
        echo $(((now - t0) / 1000000))
        return
      fi
    fi
    sleep 0.02
  done
  kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
  echo -1
}
echo "bench.sh: timing start-up ..." >&2
startup=()
for _ in 1 2 3; do startup+=("$(first_frame_ms)"); done

python3 "$root/scripts/benchTable.py" "$out" "${startup[@]}"
