#!/usr/bin/env bash
# Runs the smoke program on a virtual X display and drives it with real key and mouse input: the window's title
# and size, control names of keys and buttons, the console opened by its key with a typed line setting
# v_gamma, a click on the GUI button, Alt+Enter acting once per press, and Alt+F4 closing the program with the
# settings written.
#   check_smoke_input.sh <engine_smoke> <engine_smoke_data>
set -euo pipefail
program="$1" make_data="$2"
if [ -z "${KORVANE_IN_XVFB:-}" ]; then
  export KORVANE_IN_XVFB=1
  # Without -noreset the server resets whenever its last client leaves: an xdotool search closing its connection
  # just as the program opens its own leaves the program without a display, and no window ever comes.
  exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$0" "$@"
fi
unset SDL_VIDEODRIVER

scratch="$(mktemp -d)"
pid=""
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null || true; rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; [ -f "$log" ] && sed 's/<[^>]*>/ /g' "$log" | tail -40; exit 1; }

log="$scratch/Logs/smoke.html"
"$make_data" "$scratch/install"
"$program" --data "$scratch/install" --log-dir "$scratch/Logs" --log-input 1 --frame-sleep 5 &
pid=$!

# Waits until the log holds a line matching the pattern (the program runs its frames meanwhile). The waits are
# generous because a sanitized build on a busy machine can take many seconds to start the software renderer, and
# its frames come late and seldom.
patience="${KORVANE_PATIENCE:-180}"
wait_for() {
  local deadline=$((SECONDS + patience))
  until grep -q "$1" "$log" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || fail "no \"$1\" in the log within $patience seconds"
    sleep 0.1
  done
}

window=""
deadline=$((SECONDS + patience))
while [ "$SECONDS" -lt "$deadline" ]; do
  window="$(xdotool search --name '^Velkor Engine Smoke 1\.00$' 2>/dev/null | head -1 || true)"
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "no window titled \"Velkor Engine Smoke 1.00\""
xdotool getwindowgeometry "$window" | grep -q 'Geometry: 800x600' || fail "window is not 800x600"
wait_for "Frames running"

xdotool key Escape
wait_for 'Pressed: ESCAPE'
xdotool key a
wait_for 'Pressed: A'
xdotool key grave
wait_for 'Pressed: ~'
wait_for 'Console opened'
# A line typed into the console changes a setting; the settings file shows it at the end. One character
# reaches the input line per frame, so the keys come slowly.
xdotool type --delay 200 'v_gamma 1.5'
xdotool key Return
xdotool mousemove --window "$window" 100 100 click 1
wait_for 'Pressed: MOUSE1'
xdotool click 3
wait_for 'Pressed: MOUSE2'
# The GUI button lies in the lower left corner: 20 to 180 across, 20 to 68 up from the bottom row. A button
# clicks on a release that follows a press made while hovering, each seen in a frame of its own: a slow
# sanitized frame could swallow a plain click whole, so the mouse rests between the steps.
xdotool mousemove --window "$window" 100 555
sleep 0.5
xdotool mousedown 1
sleep 0.3
xdotool mouseup 1
wait_for 'GUI button clicked'

# Alt+Enter held for a while: many frames see both keys down, one toggle must follow.
xdotool keydown alt keydown Return
sleep 0.5
xdotool keyup Return keyup alt
wait_for 'Requested: v_window_change_mode'
sleep 0.3
count="$(grep -o 'Requested: v_window_change_mode' "$log" | wc -l)"
[ "$count" -eq 1 ] || fail "Alt+Enter acted $count times for one press"

xdotool key alt+F4
deadline=$((SECONDS + patience))
while kill -0 "$pid" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end after Alt+F4"
wait "$pid" || fail "the program ended with an error"

settings="$scratch/Logs/smoke.ini"
[ -f "$settings" ] || fail "no settings file"
grep -q $'^v_fullscreen 1\r$' "$settings" || fail "v_fullscreen was not toggled once: $(grep v_fullscreen "$settings")"
grep -q $'^v_gamma 1.500000\r$' "$settings" || fail "the console line did not set v_gamma: $(grep v_gamma "$settings")"
echo "smoke input ok"
