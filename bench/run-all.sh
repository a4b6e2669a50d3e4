#!/usr/bin/env bash
# Builds every benchmark in release mode and runs the programs in rounds, one after another within a round (so
# a busy moment of the machine touches every program alike), each with repetitions whose median it reports.
# Prints one table: each ratio's median over the rounds, with its smallest and largest value; then a table of
# measures (frames per second, load time, peak memory), each median beside its reference's median.
#   KORVANE_BENCH_ROUNDS (default 3), KORVANE_BENCH_REPETITIONS (default 3), KORVANE_BENCH_FILTER (a regular
#   expression of program names, default all).
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/install-deps.sh"
build="${KORVANE_BENCH_BUILD:-$top/build-bench}"
"$top/scripts/build.sh" "$build" -DKORVANE_BENCH=ON -DCMAKE_BUILD_TYPE=Release

export SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-offscreen}" SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"
rounds="${KORVANE_BENCH_ROUNDS:-3}"
repetitions="${KORVANE_BENCH_REPETITIONS:-3}"
filter="${KORVANE_BENCH_FILTER:-.}"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
ratios="$scratch/ratios"
measures="$scratch/measures"
: > "$ratios"
: > "$measures"
failed=()
# Each program's output goes to a file first: its ratio lines are read from there, whatever colours or
# progress the program printed around them.
for round in $(seq 1 "$rounds"); do
  for program in "$build"/bench/*Bench; do
    [ -x "$program" ] || continue
    name="$(basename "$program")"
    [[ "$name" =~ $filter ]] || continue
    echo "== $name, round $round of $rounds =="
    output="$scratch/$name.$round.out"
    if ! "$program" --benchmark_min_time=0.2 --benchmark_repetitions="$repetitions" \
        --benchmark_report_aggregates_only=true --benchmark_color=false > "$output" 2>&1; then
      failed+=("$name (round $round)")
    fi
    cat "$output"
    grep $'^RATIO\t' "$output" | sed "s|^RATIO|$name|" >> "$ratios" || echo "($name printed no ratio)"
    grep $'^MEASURE\t' "$output" | sed "s|^MEASURE|$name|" >> "$measures" || true
  done
done

echo
# A target of 0 means the ratio is shown for information only. The spread is the smallest and the largest
# value over the rounds.
printf '%-16s  %-64s  %10s  %21s  %8s\n' "program" "ratio" "median" "spread" "target"
awk -F'\t' '
  { key = $1 "\t" $2; if (!(key in target)) { order[++count] = key; target[key] = $4 }
    if ($3 + 0 == $3) values[key] = values[key] " " $3 }
  END {
    for (i = 1; i <= count; i++) {
      key = order[i]; n = split(values[key], v, " ")
      for (a = 1; a <= n; a++) for (b = a + 1; b <= n; b++) if (v[b] + 0 < v[a] + 0) { t = v[a]; v[a] = v[b]; v[b] = t }
      split(key, parts, "\t")
      if (n == 0) { printf "%-16s  %-64s  %10s  %21s  %8s\n", parts[1], parts[2], "not measured", "", target[key]; continue }
      median = n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
      over = (target[key] > 0 && median > target[key]) ? "over target" : ""
      printf "%-16s  %-64s  %10.4g  %10.4g-%-10.4g  %8s  %s\n", parts[1], parts[2], median, v[1], v[n], target[key], over
    }
  }' "$ratios"
if [ -s "$measures" ]; then
  echo
  # Each measure's median over the rounds beside its reference's median over the same rounds. A lowest value of 0
  # means none is asked for.
  printf '%-16s  %-52s  %12s  %-9s  %-28s  %12s  %8s\n' "program" "measure" "median" "unit" "reference" "median" \
    "lowest"
  awk -F'\t' '
    function median(list,   v, n, a, b, t) {
      n = split(list, v, " ")
      if (n == 0) return "not measured"
      for (a = 1; a <= n; a++) for (b = a + 1; b <= n; b++) if (v[b] + 0 < v[a] + 0) { t = v[a]; v[a] = v[b]; v[b] = t }
      return sprintf("%.4g", n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2)
    }
    { key = $1 "\t" $2
      if (!(key in unit)) { order[++count] = key; unit[key] = $4; reference[key] = $5; lowest[key] = $7 }
      if ($3 + 0 == $3) values[key] = values[key] " " $3
      if ($6 + 0 == $6) references[key] = references[key] " " $6 }
    END {
      for (i = 1; i <= count; i++) {
        key = order[i]; split(key, parts, "\t"); value = median(values[key])
        under = (lowest[key] > 0 && value != "not measured" && value + 0 < lowest[key] + 0) ? "under target" : ""
        printf "%-16s  %-52s  %12s  %-9s  %-28s  %12s  %8s  %s\n", parts[1], parts[2], value, unit[key], reference[key],
          median(references[key]), lowest[key], under
      }
    }' "$measures"
fi
if [ "${#failed[@]}" -gt 0 ]; then
  echo "failed: ${failed[*]}"
  exit 1
fi
