#!/usr/bin/env bash
# The player's mode kept through trips to a window on a display smaller than it, with the real program on an
# 800 x 600 virtual X display without a window manager, driven by mouse and keyboard. A first start opens full
# screen at the game's 1024 x 768, scaled down; a window cannot hold that mode inside the display and takes a
# smaller one, but that is no new choice: after each trip there and back (Alt+Enter, the options' full-screen
# switch and apply, the in-game menu's full-screen box, the play window's full-screen box) the settings file still
# holds 1024 x 768 and full screen shows the 1024 x 768 frame again, as sharp as before the trip, not a smaller
# frame scaled up. Sharpness is the mean difference between neighbouring pixels of a panel that stands still,
# measured at full size before and after the trip in the same run. Also fails on a program that does not end by
# itself with exit code 0 and on an error line in the log.
#   mode_trip_session.sh <korvane program>
# KORVANE_SHOTS=<folder> keeps the panels' pictures before and after each trip.
# shellcheck disable=SC2016,SC2034  # conditions are quoted to be evaluated when polled, with the values then
set -euo pipefail
program="$(realpath "$1")"
export KORVANE_SCREEN_WIDTH=800 KORVANE_SCREEN_HEIGHT=600
# No reference pictures: each panel is held against its own look before the trip.
references="$(cd "$(dirname "$0")" && pwd)/mode_trip_session"
# shellcheck source=tests/game/app/session_helpers.sh
source "$(dirname "$0")/session_helpers.sh"
# The first start's mode, the settings' default.
player_mode="1024x768x32"
full_screen_geometry="0,0,$screen_width,$screen_height"
# Panels that stand still (the main menu's buttons, the in-game menu) and where the pointer rests meanwhile.
main_menu_panel="225 42 350 344"
options_panel="100 110 600 330"
in_game_menu_panel="120 60 560 400"
level_map_title="110 520 580 60"
rest_x=796 rest_y=300
# The main menu's panel from a 640 x 480 frame scaled up to 800 x 600 keeps 0.84 of the neighbour differences
# of the 1024 x 768 frame scaled down; looks at the same frame lie within 0.02 of each other (the game's cursor
# may rest on the panel).
least_sharpness=0.9

# A value of the settings file (its lines end in CR LF), empty until the program first writes it.
setting() {
  if [ -f "$folder/Korvane.ini" ]; then
    sed -n "s/^$1 \([^\r]*\)\r*$/\1/p" "$folder/Korvane.ini"
  fi
}
in_full_screen() {
  read_window_geometry
  [ "$X,$Y,$WIDTH,$HEIGHT" = "$full_screen_geometry" ]
}
in_window() {
  read_window_geometry
  [ "$X,$Y,$WIDTH,$HEIGHT" != "$full_screen_geometry" ] && [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] &&
    [ "$((X + WIDTH))" -le "$screen_width" ] && [ "$((Y + HEIGHT))" -le "$screen_height" ]
}
# Gives the input that switches the window mode and waits for the device's reset, the window's new place and
# the settings file's full-screen line; the file must still hold the player's mode.
#   switch_to <window|full screen> <input command>
switch_to() {
  local resets flag=0 place=in_window
  resets="$(resets_logged)"
  [ "$1" = "full screen" ] && flag=1 place=in_full_screen
  eval "$2"
  wait_until '[ "$(resets_logged)" -gt "$resets" ] && '"$place"' && [ "$(setting v_fullscreen)" = '"$flag"' ]' \
    "$1 after: $2"
  read_window_geometry
  echo "$1: $X,$Y sized ${WIDTH}x$HEIGHT, v_mode $(setting v_mode)"
  [ "$(setting v_mode)" = "$player_mode" ] ||
    fail "in $1 the settings file holds v_mode $(setting v_mode), not the player's $player_mode"
}
# A rectangle given in GUI units as a crop of the screen, wherever the game's picture lies now.
screen_crop() {
  read_window_geometry
  awk -v x="$1" -v y="$2" -v w="$3" -v h="$4" -v X="$X" -v Y="$Y" -v W="$WIDTH" -v H="$HEIGHT" 'BEGIN {
    l = int(X + x * W / 800 + 0.5); r = int(X + (x + w) * W / 800 + 0.5)
    t = int(Y + (600 - y - h) * H / 600 + 0.5); b = int(Y + (600 - y) * H / 600 + 0.5)
    printf "%dx%d+%d+%d\n", r - l, b - t, l, t }'
}
# Waits for a panel to hold still (two looks half a second apart alike at full size: its entrance is over) and
# keeps the last look as <name>.png.
#   still_panel <name> <x y width height>
still_panel() {
  local name="$1" crop value="" deadline=$((SECONDS + patience))
  move_pointer "$rest_x" "$rest_y"
  next_frames
  # shellcheck disable=SC2086  # the panel is four numbers
  crop="$(screen_crop $2)"
  rm -f "$work/$name.png"
  while :; do
    xwd -root -silent | convert xwd:- -crop "$crop" +repage -strip "$work/${name}_look.png"
    if [ -f "$work/$name.png" ]; then
      value="$(difference "$work/${name}_look.png" "$work/$name.png")"
      within "$value" 0.002 && break
    fi
    mv "$work/${name}_look.png" "$work/$name.png"
    kill -0 "$pid" 2>/dev/null || fail "the program ended while waiting for the $name panel"
    [ "$SECONDS" -lt "$deadline" ] || fail "the $name panel did not hold still within $patience seconds"
    sleep 0.5
  done
  mv "$work/${name}_look.png" "$work/$name.png"
  if [ -n "${KORVANE_SHOTS:-}" ]; then
    mkdir -p "$KORVANE_SHOTS"
    cp "$work/$name.png" "$KORVANE_SHOTS/"
  fi
}
# The mean difference between neighbouring pixels of a picture, across and down, in grey from 0 to 1.
sharpness() {
  local width height across down
  read -r width height < <(identify -format '%w %h\n' "$1")
  across="$(convert "$1" -colorspace gray \( +clone -roll +1+0 \) -compose difference -composite \
    -crop "$((width - 1))x$height+1+0" +repage -format '%[fx:mean]' info:)"
  down="$(convert "$1" -colorspace gray \( +clone -roll +0+1 \) -compose difference -composite \
    -crop "${width}x$((height - 1))+0+1" +repage -format '%[fx:mean]' info:)"
  awk -v a="$across" -v d="$down" 'BEGIN { print a + d }'
}
# The panel after a trip against its look before: as sharp, as the same frame size gives.
#   check_sharpness <before> <after>
check_sharpness() {
  local before after ratio
  before="$(sharpness "$work/$1.png")"
  after="$(sharpness "$work/$2.png")"
  ratio="$(awk -v a="$after" -v b="$before" 'BEGIN { printf "%.3f", a / b }')"
  echo "sharpness $2: $after against $before before the trip (ratio $ratio, difference" \
    "$(difference "$work/$2.png" "$work/$1.png"))"
  within "$least_sharpness" "$ratio" || fail "$2: the full-screen picture is softer than before the trip" \
    "(sharpness ratio $ratio): a smaller frame is scaled up"
}

start_program
wait_until in_full_screen "a first start in full screen"
press 400 268
type_text "Ada"
key Return
await_window main_menu "Return in the welcome window"
wait_until 'ls "$folder"/profiles/ada_*.prf >/dev/null 2>&1' "profile for the typed name"
still_panel main_menu "$main_menu_panel"

# Alt+Enter there and back.
switch_to window alt_enter
switch_to "full screen" alt_enter
still_panel main_menu_after_alt_enter "$main_menu_panel"
check_sharpness main_menu main_menu_after_alt_enter

# The options' full-screen switch, applied each time.
press_on 400 242 options
still_panel options "$options_panel"
press 364 288
switch_to window "press 224 156"
await_window main_menu_windowed "the options applied"
still_panel main_menu_windowed "$main_menu_panel"
press_on 400 242 options_windowed
still_panel options_windowed "$options_panel"
press 364 288
switch_to "full screen" "press 224 156"
await_window main_menu_after_options "the options applied"
still_panel main_menu_after_options "$main_menu_panel"
check_sharpness main_menu main_menu_after_options

# The in-game menu's full-screen box, then the play window's.
press_on 400 342 level_map
still_panel level_map "$level_map_title"
press 640 42
wait_until 'log_has "Loading level 1-1" && log_has "Blocks count"' "first level loaded from the map"
let_time_pass 2
key Escape
await_window in_game_menu "Escape in play"
still_panel in_game_menu "$in_game_menu_panel"
switch_to window "press 384 296"
still_panel in_game_menu_windowed "$in_game_menu_panel"
switch_to "full screen" "press 384 296"
still_panel in_game_menu_after_box "$in_game_menu_panel"
check_sharpness in_game_menu in_game_menu_after_box
press 400 222
let_time_pass 1
switch_to window "press 732 574"
switch_to "full screen" "press 732 574"
key Escape
await_window in_game_menu "Escape in play"
still_panel in_game_menu_after_play_box "$in_game_menu_panel"
check_sharpness in_game_menu in_game_menu_after_play_box

# Out through the in-game menu's question, then the exit question; the settings written at exit keep the mode.
press_on 400 120 leave_question
press_on 310 216 main_menu_again
still_panel main_menu_again "$main_menu_panel"
press_on 400 92 exit_question
leave_through_exit_question
[ "$(setting v_mode)" = "$player_mode" ] ||
  fail "at exit the settings file holds v_mode $(setting v_mode), not the player's $player_mode"
check_log_and_pictures
echo "mode trip session: Alt+Enter, the options' switch, the in-game menu's and the play window's boxes to a" \
  "window and back on an 800 x 600 display; v_mode $player_mode kept, full screen as sharp as before each trip;" \
  "exit code 0, no error in the log"
