#!/usr/bin/env bash
# A player's first session with the real program on a virtual X display, driven by mouse and keyboard:
# type a name into the welcome window, reach the main menu, open the options (move the sound volume and
# cancel), the credits, the hall of fame and the players window and come back from each, then leave through
# the exit question. Checks what the session leaves behind: the new player's profile, the volumes untouched
# by the cancelled options, a log without errors, and a program that ended by itself.
#   menu_session.sh <korvane program>
# KORVANE_SHOTS=<folder> keeps a screenshot of every window (needs xwd). KORVANE_STEP sets the seconds given
# to each window's entrance (default 3), KORVANE_START those given to the start-up (default 15).
set -euo pipefail
program="$(realpath "$1")"
if [ -z "${KORVANE_IN_XVFB:-}" ]; then
  export KORVANE_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$program"
fi
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy LC_ALL=C.UTF-8
step="${KORVANE_STEP:-3}"
user="$(mktemp -d)"
trap 'rm -rf "$user"' EXIT
export XDG_DATA_HOME="$user/data" XDG_CONFIG_HOME="$user/config"
folder="$XDG_DATA_HOME/Tarnwick Games/Korvane"

fail() { echo "FAIL: $*"; exit 1; }
shot() {
  if [ -n "${KORVANE_SHOTS:-}" ] && command -v xwd >/dev/null; then
    mkdir -p "$KORVANE_SHOTS"
    xwd -root -silent >"$KORVANE_SHOTS/$1.xwd"
  fi
}
# The game's 800 x 600 GUI units fill the 1024 x 768 window, y upwards.
click() {
  xdotool mousemove "$(( $1 * 128 / 100 ))" "$(( (600 - $2) * 128 / 100 ))" click 1
  sleep "$step"
}

"$program" >"$user/output.txt" 2>&1 &
pid=$!
window="$(timeout 60 xdotool search --sync --name Korvane | head -1)" || fail "no window"
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
sleep "${KORVANE_START:-15}"
shot welcome

click 400 268
xdotool type --delay 100 "  Ada  "
xdotool key Return
sleep "$step"
shot main_menu
ls "$folder"/profiles/ada_*.prf >/dev/null 2>&1 || fail "no profile for the typed name"

click 400 242
for _ in 1 2 3; do xdotool mousemove 773 276 click 1; sleep 0.3; done
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
click 310 216

for _ in $(seq 1 30); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 1
done
if kill -0 "$pid" 2>/dev/null; then
  kill "$pid"
  fail "the program did not end through the exit question"
fi
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"

grep -q '^g_sound_volume 0.315' "$folder/Korvane.ini" || fail "the cancelled options changed the sound volume"
if sed 's/<[^>]*>/\n/g' "$folder/Korvane.html" | grep -q -i -E 'error|fatal'; then
  sed 's/<[^>]*>/\n/g' "$folder/Korvane.html" | grep -i -E 'error|fatal' | head -20
  fail "the log has errors"
fi
echo "1 passed, 0 failed"
