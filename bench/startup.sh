#!/usr/bin/env bash
# Whole-process start-up of the game next to the engine's demonstration scene, in the same run on one virtual
# display: the time from launch until the program's window is on the display, until its first picture differs
# from the empty display (the first frame: for the game, the menu background under the publisher's picture),
# for the game also until its first menu opens (which includes the publisher's picture, 2.5 s by design), and
# each process's peak memory. Needs xwd (x11-apps) for the first picture.
# Rounds alternate the two programs so a busy moment of the machine touches both alike; medians are printed.
#   startup.sh [build folder]   (KORVANE_STARTUP_ROUNDS, default 5; the build must hold korvane, its data and
#   the demonstration programs: cmake --build <build> --target korvane game_data engine_smoke engine_smoke_data)
set -euo pipefail
build="$(cd "${1:-$(dirname "$0")/../build}" && pwd)"
if [ -z "${KORVANE_IN_XVFB:-}" ]; then
  export KORVANE_IN_XVFB=1
  exec xvfb-run -a -s "-noreset -screen 0 1024x768x24" "$0" "$build"
fi
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy LC_ALL=C.UTF-8
rounds="${KORVANE_STARTUP_ROUNDS:-5}"
scratch="$(mktemp -d)"
pid=""
trap '[ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null; rm -rf "$scratch"' EXIT
"$build/tests/smoke/engine_smoke_data" "$scratch/smoke-install" >/dev/null

now() { date +%s.%N; }
# Seconds since the start until the command succeeds (polled every 10 ms, at most 60 s).
seconds_until() {
  local start="$1"
  shift
  for _ in $(seq 1 6000); do
    if "$@"; then
      echo "$(now) - $start" | bc -l
      return 0
    fi
    kill -0 "$pid" 2>/dev/null || { echo "the program ended early" >&2; return 1; }
    sleep 0.01
  done
  echo "timed out" >&2
  return 1
}
window_shown() { xdotool search --name "$1" >/dev/null 2>&1; }
picture_shown() { ! xwd -root -silent | cmp -s - "$scratch/empty.xwd"; }
logged() { [ -f "$1" ] && grep -q "$2" "$1"; }
peak_megabytes() { awk '/VmHWM/ { printf "%.1f", $2 / 1024 }' "/proc/$pid/status"; }
stop() {
  kill -TERM "$pid"
  wait "$pid" || true
  pid=""
}

xwd -root -silent >"$scratch/empty.xwd"
: >"$scratch/game"
: >"$scratch/demo"
for round in $(seq 1 "$rounds"); do
  user="$scratch/user.$round"
  mkdir -p "$user/data" "$user/config"
  start="$(now)"
  XDG_DATA_HOME="$user/data" XDG_CONFIG_HOME="$user/config" "$build/korvane" >/dev/null 2>&1 &
  pid=$!
  window="$(seconds_until "$start" window_shown Korvane)"
  picture="$(seconds_until "$start" picture_shown)"
  menus="$(seconds_until "$start" logged "$user/data/Tarnwick Games/Korvane/Korvane.html" "the menus begin")"
  echo "$window $picture $menus $(peak_megabytes)" >>"$scratch/game"
  stop

  start="$(now)"
  "$build/tests/smoke/engine_smoke" --data "$scratch/smoke-install" --log-dir "$scratch/smoke-logs.$round" \
    >/dev/null 2>&1 &
  pid=$!
  window="$(seconds_until "$start" window_shown "Smoke")"
  picture="$(seconds_until "$start" picture_shown)"
  sleep 1
  echo "$window $picture - $(peak_megabytes)" >>"$scratch/demo"
  stop
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
column_median() { awk -v c="$2" '{ print $c }' "$1" | median; }
game_picture="$(column_median "$scratch/game" 2)"
demo_picture="$(column_median "$scratch/demo" 2)"
printf '%-22s %12s %15s %12s %12s\n' "program" "window (s)" "first frame (s)" "menus (s)" "peak (MB)"
printf '%-22s %12.3f %15.3f %12.3f %12.1f\n' "korvane" "$(column_median "$scratch/game" 1)" "$game_picture" \
  "$(column_median "$scratch/game" 3)" "$(column_median "$scratch/game" 4)"
printf '%-22s %12.3f %15.3f %12s %12.1f\n' "demonstration scene" "$(column_median "$scratch/demo" 1)" \
  "$demo_picture" "-" "$(column_median "$scratch/demo" 4)"
printf 'RATIO\tstartup_first_frame_game_vs_demo\t%.2f\n' "$(echo "$game_picture / $demo_picture" | bc -l)"
