#!/usr/bin/env bash
# Runs the platform test programs again and again on a virtual X display with SDL's X11 video driver, the way a
# player's machine opens and closes windows and GL contexts; any failure, crash or hang (a run past its time
# limit) stops the loop with the run's output.
#   platform_x11_loop.sh <runs> <test program>...
set -euo pipefail
runs="$1"
shift
if [ -z "${KORVANE_IN_XVFB:-}" ]; then
  export KORVANE_IN_XVFB=1
  # Without -noreset the server resets whenever its last client leaves, and a test that opens the display in
  # that moment has its connection refused: every test here opens and closes the display on its own, which a
  # player's desktop (with its window manager always connected) never does.
  exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" "$runs" "$@"
fi
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy LC_ALL=C.UTF-8

output="$(mktemp)"
trap 'rm -f "$output"' EXIT
for run in $(seq 1 "$runs"); do
  for program in "$@"; do
    status=0
    timeout --kill-after=10 120 "$program" --gtest_brief=1 >"$output" 2>&1 || status=$?
    if [ "$status" -ne 0 ]; then
      [ "$status" -eq 124 ] && reason="hung" || reason="failed with status $status"
      echo "FAIL: run $run of $runs: $(basename "$program") $reason"
      tail -60 "$output"
      exit 1
    fi
  done
done
echo "$runs runs of $# programs passed"
