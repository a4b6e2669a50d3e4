#!/usr/bin/env bash
# Builds every benchmark in release mode, runs each, and prints one table of ratios against their references.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/install-deps.sh"
build="${KORVANE_BENCH_BUILD:-$top/build-bench}"
"$top/scripts/build.sh" "$build" -DKORVANE_BENCH=ON -DCMAKE_BUILD_TYPE=Release

export SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-offscreen}" SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
ratios="$scratch/ratios"
: > "$ratios"
failed=()
# Each program's output goes to a file first: its ratio lines are read from there, whatever colours or
# progress the program printed around them.
for program in "$build"/bench/*Bench; do
  [ -x "$program" ] || continue
  name="$(basename "$program")"
  echo "== $name =="
  output="$scratch/$name.out"
  if ! "$program" --benchmark_min_time=0.2 --benchmark_color=false > "$output" 2>&1; then
    failed+=("$name")
  fi
  cat "$output"
  grep $'^RATIO\t' "$output" | sed "s|^RATIO|$name|" >> "$ratios" || echo "($name printed no ratio)"
done

echo
# A target of 0 means the ratio is shown for information only.
printf '%-14s  %-64s  %10s  %8s\n' "program" "ratio" "value" "target"
while IFS=$'\t' read -r program label value target; do
  over="$(awk -v v="$value" -v t="$target" 'BEGIN { print (t > 0 && v + 0 == v && v > t) ? "over target" : "" }')"
  printf '%-14s  %-64s  %10s  %8s  %s\n' "$program" "$label" "$value" "$target" "$over"
done < "$ratios"
if [ "${#failed[@]}" -gt 0 ]; then
  echo "failed: ${failed[*]}"
  exit 1
fi
