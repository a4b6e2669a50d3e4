#!/usr/bin/env bash
# A new player's first level with the real program on a virtual X display, driven by mouse and keyboard: a name
# typed into the welcome window, the main menu's start, the level map's start, the ball launched and the bat
# moved, the play paused with the pause key and resumed through the pause window, then back to the main menu
# through the in-game menu and its question, and out through the exit question. Fails on a program that does
# not end by itself with exit code 0, on an error line in the log, and on a window whose picture strays from
# its reference beyond a tolerance.
#   play_session.sh <korvane program>
# Every window's picture is kept at 128 x 96 as tests/game/app/play_session/<window>.png. To refresh them on
# purpose, after a change of the windows' looks, run with KORVANE_REFRESH_REFERENCES=1 and look at each picture
# before committing it. KORVANE_SHOTS=<folder> keeps the full-size screenshots. KORVANE_STEP sets the seconds given
# to each window's entrance animation (default 3).
set -euo pipefail
program="$(realpath "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
if [ -z "${KORVANE_IN_XVFB:-}" ]; then
  export KORVANE_IN_XVFB=1
  exec xvfb-run -a -s "-noreset -screen 0 1024x768x24" "$0" "$program"
fi
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy LC_ALL=C.UTF-8
step="${KORVANE_STEP:-3}"
# Seconds a window's controls are given after it looks as it should.
settle=1
failed="${KORVANE_SHOTS:-$PWD/play_session_failed}"
references="$here/play_session"
# The root-mean-square difference, 0 to 1, that a window's picture may stray from its reference. The menus'
# sky and mist drift, which moves their pictures by up to about 0.05, while two different menu windows lie 0.1
# apart; the field stands still behind the play's dialogs, whose pictures differ from each other by 0.035 only.
menu_tolerance=0.08
play_tolerance=0.02
work="$(mktemp -d)"
pid=""
cleanup() {
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null || true
  [ -n "${KORVANE_SHOTS:-}" ] && cp "$log" "$KORVANE_SHOTS/" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
folder="$XDG_DATA_HOME/Tarnwick Games/Korvane"
log="$folder/Korvane.html"
mismatches=()

fail() {
  echo "FAIL: $*"
  cat "$work/output.txt" 2>/dev/null || true
  exit 1
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
log_has() {
  [ -f "$log" ] && grep -q -- "$1" "$log"
}
# The screen at 128 x 96 in 16 levels a channel, as the references keep it.
capture() {
  xwd -root -silent >"$work/$1.xwd"
  convert "xwd:$work/$1.xwd" -resize '128x96!' +dither -posterize 16 -strip -define png:exclude-chunks=date,time \
    "PNG8:$work/$1.png"
}
difference_from_reference() {
  # compare reports a difference by its exit status too.
  (compare -metric RMSE "$work/$1.png" "$references/$1.png" null: 2>&1 || true) | sed -n 's/.*(\(.*\)).*/\1/p'
}
# Waits up to half a minute for the screen to show the window as its reference picture does, then gives its
# controls a moment to take input. A window that never does is noted and the session goes on.
#   shot <window> <tolerance>
shot() {
  local name="$1" tolerance="$2" difference=""
  if [ -n "${KORVANE_REFRESH_REFERENCES:-}" ]; then
    sleep "$step"
    sleep "$step"
    capture "$name"
    mkdir -p "$references"
    cp "$work/$name.png" "$references/$name.png"
  else
    [ -f "$references/$name.png" ] || fail "no reference picture $references/$name.png"
    for _ in $(seq 1 60); do
      capture "$name"
      difference="$(difference_from_reference "$name")"
      awk -v d="$difference" -v t="$tolerance" 'BEGIN { exit !(d != "" && d <= t) }' && break
      kill -0 "$pid" 2>/dev/null || fail "the program ended while waiting for the $name window"
      sleep 0.5
      difference="${difference:-none}!"
    done
    echo "picture $name: difference $difference (tolerance $tolerance)"
    if [ "${difference%!}" != "$difference" ]; then
      mkdir -p "$failed"
      cp "$work/$name.png" "$failed/$name.png"
      mismatches+=("$name (${difference%!})")
    fi
  fi
  if [ -n "${KORVANE_SHOTS:-}" ]; then
    mkdir -p "$KORVANE_SHOTS"
    convert "xwd:$work/$name.xwd" "$KORVANE_SHOTS/$name.png"
  fi
  sleep "$settle"
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
key() {
  xdotool keydown "$1"
  sleep 0.2
  xdotool keyup "$1"
}

"$program" >"$work/output.txt" 2>&1 &
pid=$!
wait_until 'log_has "the menus begin"' "start of the menus"
window="$(xdotool search --name Korvane | head -1)"
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
shot welcome "$menu_tolerance"

press 400 268
sleep "$settle"
xdotool type --delay 250 "Ada"
sleep 0.5
xdotool key Return
wait_until 'ls "$folder"/profiles/ada_*.prf >/dev/null 2>&1' "profile for the typed name"
shot main_menu "$menu_tolerance"

press 400 342
shot level_map "$menu_tolerance"
press 640 42
wait_until 'log_has "Loading level 1-1" && log_has "Blocks count"' "first level loaded from the map"
# The picture matches once the bat has risen into the field, ready for the ball.
shot level_start "$play_tolerance"

# Play reads the mouse as movement, not as a place: the bat is moved by relative motion.
press 400 300
for offset in -60 -60 120 120 -60; do
  xdotool mousemove_relative -- "$offset" 0
  sleep 0.3
done
key space
shot pause "$play_tolerance"
press 400 216
sleep "$settle"

key Escape
shot in_game_menu "$play_tolerance"
press 400 120
shot leave_question "$play_tolerance"
press 310 216
shot main_menu_again "$menu_tolerance"

press 400 92
shot exit_question "$menu_tolerance"
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

if grep -o -E "Error|There is no|Incorrect|PROGRAM ABORTING|UNKNOWN" "$log" | head -5 | grep -q .; then
  fail "error lines in the log:" \
    "$(grep -o -E ".{0,80}(Error|There is no|Incorrect|PROGRAM ABORTING|UNKNOWN).{0,80}" "$log" | head -5)"
fi
[ "${#mismatches[@]}" -eq 0 ] || fail "pictures differ from their references: ${mismatches[*]}"
echo "play session: a new player, the map, the first level, pause and resume, the in-game menu to the main menu," \
  "the exit question; exit code 0, no error in the log, every window as its reference"
