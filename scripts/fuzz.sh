#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, then runs each for SECONDS (default 60), two at a time.
# Each target starts from its committed corpus (tests/fuzz/corpus/NAME) and keeps
# what it finds in BUILD/fuzz-work/NAME; a crash, hang or leak leaves its input in
# BUILD/fuzz-artifacts/ and makes the script fail. ORBIX_FUZZ_MERGE=1 adds the new
# inputs that reach new code to the committed corpus afterwards.
#   scripts/fuzz.sh [SECONDS]        build dir: $ORBIX_FUZZ_BUILD_DIR or build-fuzz/
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ORBIX_FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${1:-60}
jobs=${ORBIX_FUZZ_JOBS:-2}
case $seconds in '' | *[!0-9]*) echo "usage: $0 [SECONDS]" >&2; exit 2 ;; esac

targets=()
for src in "$root"/tests/fuzz/*.cpp; do targets+=("$(basename "$src" .cpp)"); done

"$root/scripts/deps.sh"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DORBIX_FUZZ=ON -DORBIX_BENCH=OFF >/dev/null
cmake --build "$build" -j"$jobs" --target "${targets[@]}"

mkdir -p "$build/fuzz-logs" "$build/fuzz-artifacts"
run() {
    local name=$1 work="$build/fuzz-work/$1"
    mkdir -p "$work"
    local status=0
    "$build/bin/$name" "$work" "$root/tests/fuzz/corpus/$name" \
        -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build/fuzz-artifacts/$name-" >"$build/fuzz-logs/$name.log" 2>&1 || status=$?
    echo "$status" >"$build/fuzz-logs/$name.status"
}

running=0
for name in "${targets[@]}"; do
    if [ "$running" -ge "$jobs" ]; then
        wait -n
        running=$((running - 1))
    fi
    echo "fuzzing $name for ${seconds}s"
    run "$name" &
    running=$((running + 1))
done
wait

failed=()
for name in "${targets[@]}"; do
    [ "$(cat "$build/fuzz-logs/$name.status")" = 0 ] || failed+=("$name")
done

printf '%-14s %12s %10s %8s %8s\n' target runs execs/s cov ft
for name in "${targets[@]}"; do
    log="$build/fuzz-logs/$name.log"
    stat() { grep -o "^stat::$1: *[0-9]*" "$log" | grep -o '[0-9]*$' || echo -; }
    last=$(grep -E '^#[0-9]+' "$log" | tail -1)
    cov=$(grep -o 'cov: [0-9]*' <<<"$last" | grep -o '[0-9]*' || echo -)
    ft=$(grep -o 'ft: [0-9]*' <<<"$last" | grep -o '[0-9]*' || echo -)
    printf '%-14s %12s %10s %8s %8s\n' "$name" "$(stat number_of_executed_units)" \
        "$(stat average_exec_per_sec)" "$cov" "$ft"
done

if [ "${ORBIX_FUZZ_MERGE:-0}" = 1 ]; then
    for name in "${targets[@]}"; do
        "$build/bin/$name" -merge=1 "$root/tests/fuzz/corpus/$name" "$build/fuzz-work/$name" \
            >>"$build/fuzz-logs/$name.log" 2>&1
    done
fi

if [ ${#failed[@]} -gt 0 ]; then
    echo "findings in: ${failed[*]} (inputs in $build/fuzz-artifacts, logs in $build/fuzz-logs)" >&2
    exit 1
fi
echo "no findings"
