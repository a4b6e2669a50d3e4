#!/usr/bin/env bash
# Builds every benchmark in release mode, runs each, and prints one table of ratios against their references.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/install-deps.sh"
build="${KORVANE_BENCH_BUILD:-$top/build-bench}"
"$top/scripts/build.sh" "$build" -DKORVANE_BENCH=ON -DCMAKE_BUILD_TYPE=Release

export SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-offscreen}" SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
ratios="$(mktemp)"
trap 'rm -f "$ratios"' EXIT
for program in "$build"/bench/*Bench; do
  [ -x "$program" ] || continue
  echo "== $(basename "$program") =="
  "$program" --benchmark_min_time=0.2 | tee /dev/stderr | grep '^RATIO' | sed "s|^RATIO|$(basename "$program")|" >> "$ratios" || true
done 2>&1

echo
printf '%-14s  %-60s  %10s  %8s\n' "program" "ratio" "value" "target"
while IFS=$'\t' read -r program label value target; do
  printf '%-14s  %-60s  %10s  %8s\n' "$program" "$label" "$value" "$target"
done < "$ratios"
