#!/usr/bin/env bash
# A new player's first level with the real program on a virtual X display, driven by mouse and keyboard: a name
# typed into the welcome window, the main menu's start, the level map's start, the bat moved and the ball
# launched (the bar's boxes disabled while it flies), the play paused with the pause key and resumed through the
# pause window, then back to the main menu through the in-game menu and its question, and out through the exit
# question. Fails on a program that does not end by itself with exit code 0, on an error line in the log, and on
# a window whose picture strays from its reference beyond a tolerance.
#   play_session.sh <korvane program>
# Every window's picture is kept at 128 x 96 in tests/game/app/play_session/; session_helpers.sh tells how to
# refresh them on purpose and how to keep the screenshots.
set -euo pipefail
program="$(realpath "$1")"
references="$(cd "$(dirname "$0")" && pwd)/play_session"
# shellcheck source=tests/game/app/session_helpers.sh
source "$(dirname "$0")/session_helpers.sh"
# The menus' sky and mist drift, which moves their pictures by up to about 0.05, while two different menu windows
# lie 0.1 apart; the field of a level not yet launched stands still but for its torches and banners.
menu_tolerance=0.08
play_tolerance=0.02
# The play's dialogs are held by their own title and panel, not by the field around them: where the ball has flown
# when one opens, what it has broken and the score depend on how much of the program's time passed since the launch
# or the resume, which a busy machine stretches. A whole-picture tolerance of 1 leaves the field out, and each
# panel is taken 8 units inside its edge, clear of the rounded corners where the field shows through and of a ball
# passing beside it (which moves a part taken up to the edge by 0.01, and one taken inside by 0.002 at most). A
# dialog shown as it should lies within 0.0012 there, quiet or busy, while two different dialogs lie 0.04 apart or
# more in each part, and the field without a dialog 0.2.
dialog_tolerance=0.004
dialog_title="110 478 580 60 $dialog_tolerance"
small_dialog_parts=("$dialog_title" "208 178 384 224 $dialog_tolerance")
in_game_menu_parts=("$dialog_title" "128 68 544 384 $dialog_tolerance")
# The bar's minimise button and full-screen box, enabled only while the ball rests, with their tolerance: disabled,
# they lie 0.08 from their enabled look.
bar_boxes="672 556 78 36 0.01"

start_program
shot welcome "$menu_tolerance"

press 400 268
type_text "Ada"
key Return
await_window main_menu "Return in the welcome window"
wait_until 'ls "$folder"/profiles/ada_*.prf >/dev/null 2>&1' "profile for the typed name"
shot main_menu "$menu_tolerance"

press_to 400 342 level_map "$menu_tolerance"
press 640 42
wait_until 'log_has "Loading level 1-1" && log_has "Blocks count"' \
  "first level loaded after the press at 640,42 on the level_map window"
# The picture matches once the bat has risen into the field, ready for the ball.
shot level_start "$play_tolerance"

# Play reads the mouse as movement, not as a place: the bat is moved by relative motion, with the ball on it.
# The ball is then launched and the play paused at once; on a busy machine the ball may have broken a brick or even
# been lost by then.
move_pointer 400 300
next_frames
for offset in -60 -60 120 120 -60; do
  xdotool mousemove_relative -- "$offset" 0
  next_frames
done
# While the ball is in play the bar's minimise button and full-screen box are disabled: the launch is seen there,
# looked for from the press on, which launches the ball. A busy machine may take seconds over each frame, enough for
# the ball to be lost and the next one to rest on the bat before the button's release has been drawn.
xdotool mousedown 1
if [ -n "${KORVANE_REFRESH_REFERENCES:-}" ]; then
  next_frames
  capture launched
  cp "$work/launched.png" "$references/launched.png"
else
  [ -f "$references/launched.png" ] || fail "no reference picture $references/launched.png"
  shows_within "$patience" launched 1 "$bar_boxes" ||
    fail "the press in play launched no ball: the bar's boxes are not disabled (${result#* })"
  echo "picture launched: ${result#* } (parts $bar_boxes)"
fi
xdotool mouseup 1
next_frames
key space
await_window pause "the pause key in play"
shot pause 1 "${small_dialog_parts[@]}"
# Resumed, the play goes on for the frames it takes the in-game menu to open.
# Escape opens the in-game menu only from play, so the menu shows that the press resumed it.
press 400 216
key Escape
await_window in_game_menu "the press at 400,216 on the pause window, then Escape in play"
shot in_game_menu 1 "${in_game_menu_parts[@]}"
press_to 400 120 leave_question 1 "${small_dialog_parts[@]}"
press_to 310 216 main_menu_again "$menu_tolerance"

press_to 400 92 exit_question "$menu_tolerance"
leave_through_exit_question
check_log_and_pictures
echo "play session: a new player, the map, the first level, pause and resume, the in-game menu to the main menu," \
  "the exit question; exit code 0, no error in the log, every window as its reference"
