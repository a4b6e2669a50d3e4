#!/usr/bin/env bash
# A player's first session with the real program on a virtual X display, driven by mouse and keyboard:
# type a name into the welcome window, reach the main menu, open the options (move the sound volume and
# cancel), the credits, the hall of fame and the players window and come back from each, then leave through
# the exit question. Checks what the session leaves behind: the new player's profile under the trimmed
# name, the volumes untouched by the cancelled options, a log without errors, and a program that ended by
# itself with exit code 0.
#   menu_session.sh <korvane program>
# KORVANE_SHOTS=<folder> keeps a screenshot of every window (needs xwd). KORVANE_STEP sets the seconds given
# to each window's entrance and exit animations (default 3).
set -euo pipefail
program="$(realpath "$1")"
if [ -z "${KORVANE_IN_XVFB:-}" ]; then
  export KORVANE_IN_XVFB=1
  exec xvfb-run -a -s "-noreset -screen 0 1024x768x24" "$0" "$program"
fi
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy LC_ALL=C.UTF-8
step="${KORVANE_STEP:-3}"
work="$(mktemp -d)"
pid=""
cleanup() {
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
folder="$XDG_DATA_HOME/Tarnwick Games/Korvane"
log="$folder/Korvane.html"

fail() {
  echo "FAIL: $*"
  cat "$work/output.txt" 2>/dev/null || true
  exit 1
}
shot() {
  if [ -n "${KORVANE_SHOTS:-}" ] && command -v xwd >/dev/null; then
    mkdir -p "$KORVANE_SHOTS"
    xwd -root -silent >"$KORVANE_SHOTS/$1.xwd"
  fi
}
# Polls up to a minute for a condition while the program runs.
wait_until() {
  for _ in $(seq 1 600); do
    eval "$1" && return 0
    kill -0 "$pid" 2>/dev/null || fail "the program ended while waiting for: $2"
    sleep 0.1
  done
  fail "no $2 within a minute"
}
# The game's 800 x 600 GUI units fill the 1024 x 768 window, y upwards. The button is held a moment so that
# a slow frame still sees the press and the release apart.
press() {
  xdotool mousemove "$(( $1 * 128 / 100 ))" "$(( (600 - $2) * 128 / 100 ))"
  sleep 0.2
  xdotool mousedown 1
  sleep 0.2
  xdotool mouseup 1
}
click() {
  press "$1" "$2"
  sleep "$step"
}

"$program" >"$work/output.txt" 2>&1 &
pid=$!
wait_until '[ -f "$log" ] && grep -q "the menus begin" "$log"' "start of the menus"
window="$(xdotool search --name Korvane | head -1)"
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
sleep "$step"
shot welcome

click 400 268
xdotool type --delay 250 "  Ada  "
sleep 0.5
xdotool key Return
wait_until 'ls "$folder"/profiles/ada_*.prf >/dev/null 2>&1' "profile for the typed name"
sleep "$step"
shot main_menu

click 400 242
for _ in 1 2 3; do press 604 384; done
shot options
click 576 157
click 400 142
shot credits
click 400 106
click 400 292
shot high_scores
click 400 86
click 400 192
shot players
click 626 152
click 400 92
shot exit_question
press 310 216

for _ in $(seq 1 300); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the program did not end through the exit question"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"

grep -q '^g_sound_volume 0.315' "$folder/Korvane.ini" || fail "the cancelled options changed the sound volume"
if grep -o -E "Error|There is no|Incorrect|PROGRAM ABORTING|UNKNOWN" "$log" | head -5 | grep -q .; then
  fail "error lines in the log: $(grep -o -E ".{0,80}(Error|There is no|Incorrect|PROGRAM ABORTING|UNKNOWN).{0,80}" "$log" | head -5)"
fi
echo "menu session: a new player, every menu window and back, the exit question; exit code 0, no error in the log"
