#!/usr/bin/env bash
# Runs the platform test programs again and again on virtual X displays with SDL's X11 video driver, the way a
# player's machine opens and closes windows and GL contexts; any failure, crash or hang (a run past its time
# limit) stops the loop with the test that was running when the run stopped and the end of the run's output. The runs
# are shared between lanes, one a core, each on its own display: a run waits on the X server more than it computes.
#   platform_x11_loop.sh <runs> <test program>[:<test filter>]...
# A program followed by a colon runs only the tests its GoogleTest filter names (which may hold colons itself).
set -euo pipefail
runs="$1"
shift

# What a stopped run's output tells: each failed test with its own output, and the test that started and never
# ended, the one a crash or a hang stopped in. Fails when failed tests alone do not explain the stop.
report_run() {
  awk '/^\[ RUN      \] / { test = $4; block = "" }
       test != "" { block = block $0 "\n" }
       /^\[  FAILED  \] / && $4 == test { printf "%s", block; test = ""; failed = 1 }
       /^\[ +(OK|SKIPPED) +\] / && $4 == test { test = "" }
       END {
         if (test != "") print "The run stopped in " test ", which never ended; the end of its output:"
         exit test == "" && failed ? 0 : 1
       }' "$1"
}

if [ -n "${KORVANE_X11_LANE:-}" ]; then
  export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy LC_ALL=C.UTF-8
  output="$(mktemp)"
  trap 'rm -f "$output"' EXIT
  for run in $(seq 1 "$runs"); do
    for entry in "$@"; do
      program="${entry%%:*}"
      filter=()
      [ "$program" = "$entry" ] || filter=("--gtest_filter=${entry#*:}")
      status=0
      timeout --kill-after=10 120 "$program" "${filter[@]}" >"$output" 2>&1 || status=$?
      if [ "$status" -ne 0 ]; then
        # A program that lets SDL catch the termination signal outlives it and is killed 10 s later.
        case "$status" in
          124 | 137) reason="hung" ;;
          *) reason="failed with status $status" ;;
        esac
        echo "FAIL: lane $KORVANE_X11_LANE, run $run of $runs: $(basename "$program") $reason"
        report_run "$output" || tail -60 "$output"
        exit 1
      fi
    done
  done
  exit 0
fi

lanes="$(nproc)"
[ "$lanes" -le "$runs" ] || lanes="$runs"
pids=()
for lane in $(seq 1 "$lanes"); do
  # Each lane looks for a free display from a number of its own, so that lanes started together never take
  # the same one. Without -noreset a server resets whenever its last client leaves, and a test that opens the
  # display in that moment has its connection refused: every test here opens and closes the display on its
  # own, which a player's desktop (with its window manager always connected) never does.
  KORVANE_X11_LANE="$lane" xvfb-run -a -n "$((100 + 20 * lane))" -s "-screen 0 1024x768x24 -noreset" \
    "$0" "$(((runs + lanes - lane) / lanes))" "$@" &
  pids+=("$!")
done
failed=0
for pid in "${pids[@]}"; do
  wait "$pid" || failed=1
done
[ "$failed" -eq 0 ] || exit 1
echo "$runs runs of $# programs passed in $lanes lanes"
