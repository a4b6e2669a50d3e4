#!/usr/bin/env bash
# Runs the platform test programs again and again on virtual X displays with SDL's X11 video driver, the way a
# player's machine opens and closes windows and GL contexts; any failure, crash, hang (a run past its time limit)
# or kill from outside stops the loop with each failed test's output, the test that was running when the run
# stopped and the end of the run's output. The runs are shared between lanes, one a core, each on its own display:
# a run waits on the X server more than it computes.
#   platform_x11_loop.sh <runs> <test program>[:<test filter>]...
# A program followed by a colon runs only the tests its GoogleTest filter names (which may hold colons itself).
# KORVANE_X11_TIME_LIMIT sets a run's time limit in seconds (default 120): the check of this loop's reports
# (failure_reports_test.sh) runs one lane itself, without a display, on throwaway programs that hang for seconds.
set -euo pipefail
runs="$1"
shift
limit="${KORVANE_X11_TIME_LIMIT:-120}"

# What a stopped run's output tells: each failed test with its own output, and the test that started and never
# ended, the one a crash or a hang stopped in. Fails when failed tests alone do not explain the stop.
report_run() {
  # A parameterised test's line of failure follows its name with a comma: "[  FAILED  ] Sizes/Fit.Test/1, where
  # GetParam() = 3 (0 ms)".
  awk '{ name = $4; sub(/,$/, "", name) }
       /^\[ RUN      \] / { test = name; block = "" }
       test != "" { block = block $0 "\n" }
       /^\[  FAILED  \] / && name == test { printf "%s", block; test = ""; failed = 1 }
       /^\[ +(OK|SKIPPED) +\] / && name == test { test = "" }
       END {
         if (test != "") print "The run stopped in " test ", which never ended; the end of its output:"
         exit test == "" && failed ? 0 : 1
       }' "$1"
}

if [ -n "${KORVANE_X11_LANE:-}" ]; then
  # The display has no window manager but those a test starts and stops itself.
  export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy LC_ALL=C.UTF-8 KORVANE_X11_BARE_DISPLAY=1
  output="$(mktemp)"
  trap 'rm -f "$output"' EXIT
  for run in $(seq 1 "$runs"); do
    for entry in "$@"; do
      program="${entry%%:*}"
      filter=()
      [ "$program" = "$entry" ] || filter=("--gtest_filter=${entry#*:}")
      status=0
      # timeout says in the run's output when the limit sends the termination signal: a program that lets SDL
      # catch it outlives it and is killed 10 s later, with the status a kill from elsewhere (the out-of-memory
      # killer's) also gives.
      timeout --verbose --kill-after=10 "$limit" "$program" "${filter[@]}" >"$output" 2>&1 || status=$?
      if [ "$status" -ne 0 ]; then
        if grep -q "timeout: sending signal TERM to command " "$output"; then
          reason="hung, past its limit of $limit s"
        elif [ "$status" -eq 137 ]; then
          reason="killed by a KILL signal before its limit of $limit s"
        else
          reason="failed with status $status"
        fi
        echo "FAIL: lane $KORVANE_X11_LANE, run $run of $runs: $(basename "$program") $reason"
        report_run "$output" || tail -60 "$output"
        exit 1
      fi
    done
  done
  exit 0
fi

# The displays come from xvfb-run; some tests start a window manager on theirs (openbox, i3).
if ! command -v xvfb-run >/dev/null || ! command -v openbox >/dev/null || ! command -v i3 >/dev/null; then
  "$(cd "$(dirname "$0")/.." && pwd)/scripts/install-deps.sh"
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
