#!/usr/bin/env bash
# Plays every shipped level with both bots, seeds 1 to 10, god 0, two games at a
# time, and prints per level the wins, the mean soldiers lost and the mean time.
# usage: scripts/level-figures.sh [MAP...]   (default: every map in the build's maps/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${ORBIX_BUILD_DIR:-$root/build}/bin
[ -x "$bin/orbix-tool" ] || { echo "level-figures.sh: orbix-tool is not built; run scripts/build.sh" >&2; exit 1; }
maps=("$@")
[ ${#maps[@]} -gt 0 ] || mapfile -t maps < <(cd "$bin/maps" && ls ./*.bmp | sed 's#^\./##')
work=$(mktemp -d "${TMPDIR:-/tmp}/orbix-figures.XXXXXX")
trap 'rm -rf "$work"' EXIT

for m in "${maps[@]}"; do
  for style in player planner; do
    for seed in 1 2 3 4 5 6 7 8 9 10; do echo "$m $style $seed"; done
  done
done | xargs -P 2 -n 3 sh -c \
  '"$0" botplay "$1" --style "$2" --seed "$3" --god 0 2>/dev/null | tail -n 1 > "'"$work"'/$(basename "$1")-$2-$3"' \
  "$bin/orbix-tool"

printf '%-24s %-7s %5s %6s %8s\n' level bot wins lost time_s
for m in "${maps[@]}"; do
  for style in player planner; do
    cat "$work/$(basename "$m")-$style-"* | awk -v m="$(basename "$m" .bmp)" -v s="$style" '
      { for (i = 1; i <= NF; i++) { split($i, kv, "="); v[kv[1]] = kv[2] }
        n++; wins += ($2 == "won"); lost += v["soldiers_lost"]; t += v["time_ms"] }
      END { printf "%-24s %-7s %2d/%-2d %6.1f %8.1f\n", m, s, wins, n, lost / n, t / n / 1000 }'
  done
done

# Easiest first, by the player-like bot: most wins, then fewest soldiers lost, then shortest time.
printf '\nplayer-like bot, easiest to hardest:'
for m in "${maps[@]}"; do
  cat "$work/$(basename "$m")-player-"* | awk -v m="$(basename "$m" .bmp)" '
    { for (i = 1; i <= NF; i++) { split($i, kv, "="); v[kv[1]] = kv[2] }
      n++; wins += ($2 == "won"); lost += v["soldiers_lost"]; t += v["time_ms"] }
    END { printf "%d %f %f %s\n", wins, lost / n, t / n, m }'
done | sort -k1,1nr -k2,2n -k3,3n | awk '{ printf " %s", substr($4, 1, 2) } END { print "" }'
