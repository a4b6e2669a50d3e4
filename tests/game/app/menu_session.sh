#!/usr/bin/env bash
# A player's first session through every menu window with the real program on a virtual X display, driven by mouse and
# keyboard: a name typed into the welcome window, its last letters and Return read in one slow frame; the options with
# the volumes stepped and applied, changed again and cancelled, full screen switched off (the window shrinks to the
# largest mode inside the screen) and on again at the screen's size, the menus answering clicks in both; the credits and
# the hall of fame; in the players window a second player created (the click on its button, its name and Return in one
# slow frame, after keys typed on the page), a taken name kept through Alt+Enter to a window and back and refused by a
# held Return that goes no further than the notice, the new player renamed (the click, the name and Return in one slow
# frame too) and deleted; then out through the exit question. Checks what
# the session leaves behind: the settings file with the applied volumes and full screen, the profile list naming the
# first player as current, the renamed player's file holding the new name until it is deleted, a log without errors, a
# program that ended by itself with exit code 0, and every window's picture as its reference.
#   menu_session.sh <korvane program>
# Every window's picture is kept at 128 x 96 in tests/game/app/menu_session/; session_helpers.sh tells how to
# refresh them on purpose and how to keep the screenshots.
set -euo pipefail
program="$(realpath "$1")"
references="$(cd "$(dirname "$0")" && pwd)/menu_session"
# shellcheck source=tests/game/app/session_helpers.sh
source "$(dirname "$0")/session_helpers.sh"
# The sky and mist drift behind the menus, which moves a whole picture by up to about 0.05: the windows are told
# apart by their parts, which stand still.
menu_tolerance=0.08
title="110 520 580 60"
dialog="200 170 400 240"
main_menu_parts=("144 436 512 128" "225 42 350 344")
# The volume scrolls, the top two rows of the players' list and its scroll bar stand still to the last pixel,
# while the changes made here (the thumbs moved, a name changed) move them by 0.01 and more, and the list's thumb
# at the foot of its track instead of the top by 0.04.
options_parts=("$title" "100 110 600 330" "320 324 300 72 0.004")
profiles_parts=("$title" "40 70 720 410" "86 354 400 64 0.004" "498 154 24 240 0.01")

# The pointer rests at the window's right edge, clear of every panel and button, while a picture is taken; the
# program draws it there from its next frame on.
menu_shot() {
  local name="$1"
  shift
  move_pointer 796 300
  next_frames
  shot "$name" "$menu_tolerance" "$@"
}
# A press that leads to another window, and that window's shot (see press_to).
#   menu_press <x> <y> <window> [<part>...]
rest_pointer="move_pointer 796 300; next_frames"
menu_press() {
  press_to "$1" "$2" "$3" "$menu_tolerance" "${@:4}"
}
# A click the program reads late: stopped, it is clicked over one button and the pointer is moved on over another;
# going on, it reads the press, the release and the move in one frame. The button the click was made on acts.
#   late_menu_press <x> <y> <x moved to> <y moved to> <window> [<part>...]
late_menu_press() {
  move_pointer "$1" "$2"
  next_frames
  kill -STOP "$pid"
  xdotool mousedown 1
  xdotool mouseup 1
  move_pointer "$3" "$4"
  kill -CONT "$pid"
  eval "$rest_pointer"
  await_window "$5" "the click at $1,$2 read after the pointer moved on to $3,$4"
  shot "$5" "$menu_tolerance" "${@:6}"
}
profile_files() {
  find "$folder/profiles" -name '*.prf' | wc -l
}
# The names a binary file holds, one a line (they are stored as UTF-16).
names_in() {
  strings -e l -n 3 "$1"
}
current_player() {
  names_in "$folder/profiles.pmf" | head -1
}
check_current_player() {
  [ "$(current_player)" = "$1" ] || fail "the profile list names \"$(current_player)\" as current, not \"$1\""
}
check_window_geometry() {
  read_window_geometry
  [ "$X,$Y,$WIDTH,$HEIGHT" = "$1" ] || fail "the window lies at $X,$Y sized ${WIDTH}x$HEIGHT, not $1 (x,y,w,h)"
}
wait_for_window_geometry() {
  local deadline=$((SECONDS + patience))
  until read_window_geometry && [ "$X,$Y,$WIDTH,$HEIGHT" = "$1" ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the window lies at $X,$Y sized ${WIDTH}x$HEIGHT, not $1 (x,y,w,h)"
    sleep 0.1
  done
}
# The settings file holds the line, once the program has written it.
wait_for_setting() {
  wait_until "grep -q '^$1' \"\$folder/Korvane.ini\"" "\"$1\" in the settings file"
}

start_program
check_window_geometry "0,0,$screen_width,$screen_height"
menu_shot welcome "$title" "$dialog"
press 400 268
# The name's last letters and Return come in one slow frame.
type_text "  A"
type_with_return_in_one_frame "da  "
await_window main_menu "Return in the welcome window"
wait_until 'ls "$folder"/profiles/ada_*.prf >/dev/null 2>&1' "profile for the typed name"
ada_file="$(ls "$folder"/profiles/ada_*.prf)"
menu_shot main_menu "${main_menu_parts[@]}"

# Options: the sound six steps up from 0.315, the music two steps down from 0.285, applied.
menu_press 400 242 options "${options_parts[@]}"
for _ in 1 2 3 4 5 6; do step_click 604 384; done
for _ in 1 2; do step_click 332 336; done
menu_shot options_changed "${options_parts[@]}"
menu_press 224 156 main_menu "${main_menu_parts[@]}"
wait_for_setting "g_sound_volume 0.495"
wait_for_setting "g_music_volume 0.225"

# A change that is cancelled leaves the volumes as they were: the sound a step up is seen, then cancelled.
menu_press 400 242 options_changed "${options_parts[@]}"
step_click 604 384
menu_shot options_stepped "${options_parts[@]}"
menu_press 576 156 main_menu "${main_menu_parts[@]}"

# Full screen off: a window of the screen's size does not fit inside it, so the window takes the largest mode
# that does, in the middle of the screen.
menu_press 400 242 options_changed "${options_parts[@]}"
press 364 288
press_on 224 156 main_menu_windowed
wait_for_window_geometry "112,84,800,600"
menu_shot main_menu_windowed "${main_menu_parts[@]}"
menu_press 400 242 options_windowed "${options_parts[@]}"
# Full screen on again, at the screen's size.
press 364 288
press 604 236
menu_shot options_full_screen_again "${options_parts[@]}"
press_on 224 156 main_menu
wait_for_window_geometry "0,0,$screen_width,$screen_height"
menu_shot main_menu "${main_menu_parts[@]}"
wait_for_setting "v_fullscreen 1"
wait_for_setting "v_mode ${screen_width}x${screen_height}x"

menu_press 400 142 credits "$title" "150 60 500 420"
menu_press 400 106 main_menu "${main_menu_parts[@]}"
menu_press 400 292 high_scores "$title" "100 40 600 460"
menu_press 400 86 main_menu "${main_menu_parts[@]}"

# Players, clicked while the program stands still and read after the pointer has moved on over the options button:
# a second player created becomes the current player.
late_menu_press 400 192 400 242 profiles "${profiles_parts[@]}"
# Keys typed on the players' page, the click on the new player's button, the whole name and Return come in one slow
# frame: the name, and nothing typed before the click, reaches the new player's window.
move_pointer 626 396
next_frames
click_and_type_in_one_frame zz "" Bob
await_window profiles_two "the new player's button, then Bob and Return, in one slow frame"
wait_until 'ls "$folder"/profiles/bob_*.prf >/dev/null 2>&1' "profile for the second player"
bob_file="$(ls "$folder"/profiles/bob_*.prf)"
menu_shot profiles_two "${profiles_parts[@]}"
[ "$(profile_files)" -eq 2 ] || fail "$(profile_files) profile files for two players"
check_current_player Bob

# The first player's name, whatever its case, is taken.
menu_press 626 396 new_profile "$title" "$dialog"
type_text "ada"
# Alt+Enter in the name entry switches to a window and back to full screen, and does nothing else: no player is
# made, and the name stays in the box for the Return below.
alt_enter
wait_for_window_geometry "112,84,800,600"
alt_enter
wait_for_window_geometry "0,0,$screen_width,$screen_height"
let_time_pass 1
passed="$(windows_taking_input | tail -n +"$((windows_taken + 1))" | tr '\n' ' ')"
[ -z "$passed" ] || fail "Alt+Enter in the new player window went on to: $passed"
[ "$(profile_files)" -eq 2 ] || fail "Alt+Enter in the new player window made a profile file"
# Return held for a second and a half, which the display repeats: the press leads to the notice, and no repeat
# passes it.
xdotool keydown Return
sleep 1.5
xdotool keyup Return
await_window name_taken "Return held in the new player window"
let_time_pass 2
passed="$(windows_taking_input | tail -n +"$((windows_taken + 1))" | tr '\n' ' ')"
[ -z "$passed" ] || fail "Return held at the notice went on to: $passed"
menu_shot name_taken "$title" "$dialog"
menu_press 400 216 new_profile_taken "$title" "$dialog"
menu_press 490 216 profiles_two "${profiles_parts[@]}"
[ "$(profile_files)" -eq 2 ] || fail "a taken name made a profile file"

# The current player renamed: the same file holds the new name.
menu_press 626 340 rename_profile "$title" "$dialog"
menu_press 490 216 profiles_two "${profiles_parts[@]}"
# The click on the rename button, the old name erased, the new one and Return come in one slow frame.
move_pointer 626 340
next_frames
click_and_type_in_one_frame "" "BackSpace BackSpace BackSpace" Cleo
await_window profiles_renamed "the rename button, then the new name and Return, in one slow frame"
menu_shot profiles_renamed "${profiles_parts[@]}"
[ "$(names_in "$bob_file" | head -1)" = Cleo ] || fail "the renamed player's file holds \"$(names_in "$bob_file" | head -1)\""
[ "$(profile_files)" -eq 2 ] || fail "renaming changed the number of profile files to $(profile_files)"
check_current_player Cleo

# The current player deleted: the file goes and the first player is current again.
menu_press 626 284 delete_profile "$title" "$dialog"
menu_press 310 216 profiles "${profiles_parts[@]}"
[ ! -e "$bob_file" ] || fail "the deleted player's file is still there"
[ "$(profile_files)" -eq 1 ] || fail "$(profile_files) profile files after deleting one of two players"
check_current_player Ada
menu_press 626 152 main_menu "${main_menu_parts[@]}"

menu_press 400 92 exit_question "$title" "$dialog"
leave_through_exit_question

grep -q '^g_sound_volume 0.495' "$folder/Korvane.ini" || fail "the sound volume applied is not in the settings file"
grep -q '^g_music_volume 0.225' "$folder/Korvane.ini" || fail "the music volume applied is not in the settings file"
grep -q '^v_fullscreen 1' "$folder/Korvane.ini" || fail "full screen is not in the settings file"
# The player's own copy of the volumes: 0.225 and 0.495 as little-endian floats.
od -An -v -tx1 "$ada_file" | tr -d " \n" | grep -q 6666663ea470fd3e || fail "the player's file does not hold the applied volumes"
[ "$(names_in "$ada_file" | head -1)" = Ada ] || fail "the first player's file holds \"$(names_in "$ada_file" | head -1)\""
check_current_player Ada
check_log_and_pictures
echo "menu session: a new player, the options applied, cancelled, out of full screen and back, the credits, the" \
  "hall of fame, a second player created, refused a taken name, renamed and deleted, the exit question; exit code" \
  "0, the files as the session left them, no error in the log, every window as its reference"
