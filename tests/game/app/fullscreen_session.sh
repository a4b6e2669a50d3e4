#!/usr/bin/env bash
# A new player's first start in full screen on a virtual X display of a given size, with or without a window manager,
# driven by mouse and keyboard: the game's 1024 x 768 picture must show whole, its shape kept, centred between black
# bars where the display has another shape (scaled down on a smaller display), the game's cursor drawn on the real
# pointer, a name read with Return in one slow frame kept whole (in the welcome window, and in the new player's and
# the rename window with the click that opens them), and the lowest buttons answering their clicks: the
# level map's start and the main menu's exit. Alt+Enter takes the game to a window inside the display and back to full
# screen, where the picture and the pointer are checked again; every switch, in play and in the main menu, leaves the
# pointer on its point of the picture, and in play the bat where it was. Fails on a program that does not end by itself
# with exit code 0, on an error line in the log, and on a picture that strays from its reference.
#   fullscreen_session.sh <korvane program> <display width> <display height> [openbox | i3]
# The pictures are kept at 128 x 96 of the game's picture alone in tests/game/app/fullscreen_session/, the same
# for every display size (refreshed on the 1024 x 768 one); session_helpers.sh tells how to refresh them on
# purpose and how to keep the screenshots.
# shellcheck disable=SC2016,SC2034  # conditions are quoted to be evaluated when polled, with the values then
set -euo pipefail
program="$(realpath "$1")"
export KORVANE_SCREEN_WIDTH="$2" KORVANE_SCREEN_HEIGHT="$3"
manager="${4:-none}"
references="$(cd "$(dirname "$0")" && pwd)/fullscreen_session"
if ! command -v openbox >/dev/null || ! command -v i3 >/dev/null || ! command -v xprop >/dev/null; then
  "$(cd "$(dirname "$0")/../../.." && pwd)/scripts/install-deps.sh"
fi
# shellcheck source=tests/game/app/session_helpers.sh
source "$(dirname "$0")/session_helpers.sh"
run="${screen_width}x${screen_height}_$manager"
failed="${KORVANE_SHOTS:-$test_output/fullscreen_session_${run}_failed}"
# The menus' sky and mist drift (up to about 0.05 of a whole picture); the windows are told apart by their
# panels and titles, which stand still.
menu_tolerance=0.08
title="110 520 580 60"
dialog="200 170 400 240"
main_menu_parts=("144 436 512 128" "225 42 350 344")
# The game's own mode, the settings' default on a first start.
mode_width=1024
mode_height=768

# The picture's rectangle on the screen in full screen: the largest of the mode's shape that fits, centred.
place_picture() {
  read -r view_x view_y view_width view_height < <(awk -v W="$screen_width" -v H="$screen_height" \
    -v w="$mode_width" -v h="$mode_height" 'BEGIN {
      vw = W; vh = H
      if (W * h <= H * w) vh = int((2 * W * h + w) / (2 * w)); else vw = int((2 * H * w + h) / (2 * h))
      printf "%d %d %d %d\n", int((W - vw) / 2), int((H - vh) / 2), vw, vh }')
}
place_picture
full_screen=1

# Sets X, Y, WIDTH and HEIGHT to the program's client area on the screen. Under a window manager that frames
# its windows only the X server's absolute position of the client is to be trusted.
read_client_geometry() {
  eval "$(xwininfo -id "$window" | awk -F: '
    /Absolute upper-left X/ { printf "X=%d\n", $2 } /Absolute upper-left Y/ { printf "Y=%d\n", $2 }
    /Width/ { printf "WIDTH=%d\n", $2 } /Height/ { printf "HEIGHT=%d\n", $2 }')"
}
# The rectangle the game's picture fills now: the viewport in full screen, the window's client otherwise.
picture_rect() {
  if [ "$full_screen" = 1 ]; then
    echo "$view_x $view_y $view_width $view_height"
  else
    read_client_geometry
    echo "$X $Y $WIDTH $HEIGHT"
  fi
}
# The screen position of a point given in the game's 800 x 600 GUI units, y upwards.
#   screen_point <x> <y>
screen_point() {
  local px py pw ph
  read -r px py pw ph < <(picture_rect)
  awk -v x="$1" -v y="$2" -v px="$px" -v py="$py" -v pw="$pw" -v ph="$ph" \
    'BEGIN { printf "%d %d\n", px + int(x * pw / 800), py + int((600 - y) * ph / 600) }'
}
# As the helpers' move_pointer, on the picture wherever it lies: a last step of one pixel as a device motion
# makes the program see the new place.
move_to() {
  local sx sy
  read -r sx sy < <(screen_point "$1" "$2")
  xdotool mousemove "$((sx + 1))" "$sy"
  xdotool mousemove_relative -- -1 0
}
# As the helpers' press, on the picture wherever it lies: the program sees the pointer over the button, the button
# held down there, and its release there before the pointer may move on.
click_at() {
  move_to "$1" "$2"
  next_frames
  xdotool mousedown 1
  next_frames
  release_button
  next_frames
}

# The pointer's place on the game's picture in GUI units, then the size of a screen pixel there in the same units.
pointer_on_picture() {
  local px py pw ph
  read -r px py pw ph < <(picture_rect)
  eval "$(xdotool getmouselocation --shell)"
  awk -v x="$X" -v y="$Y" -v px="$px" -v py="$py" -v pw="$pw" -v ph="$ph" 'BEGIN {
    printf "%.2f %.2f %.2f %.2f\n", (x - px + 0.5) * 800 / pw, 600 - (y - py + 0.5) * 600 / ph, 800 / pw, 600 / ph }'
}
# After a switch the pointer lies where it lay on the picture before, within a pixel of the coarser picture. A
# window manager may still move the window after the session sees it placed, and the program puts the pointer back
# on its point only once it has read that move: the look is repeated until the pointer is there.
#   check_pointer_kept <what> <its place before, as pointer_on_picture printed it>
pointer_kept() {
  pointer_after="$(pointer_on_picture)"
  awk -v before="$pointer_before" -v after="$pointer_after" 'BEGIN {
    split(before, b, " "); split(after, a, " ")
    dx = a[1] - b[1]; dy = a[2] - b[2]; px = a[3] > b[3] ? a[3] : b[3]; py = a[4] > b[4] ? a[4] : b[4]
    exit !(dx * dx <= px * px * 1.0001 && dy * dy <= py * py * 1.0001) }'
}
check_pointer_kept() {
  pointer_before="$2"
  holds_within "$patience" pointer_kept ||
    fail "$1: the pointer moved on the picture from ${2% * *} to ${pointer_after% * *}"
  echo "pointer $1 ($run): on the picture at ${2% * *} before, ${pointer_after% * *} after"
}

# True once a condition holds, polled for up to the given seconds while the program runs.
#   holds_within <seconds> <condition>
holds_within() {
  local deadline=$((SECONDS + $1))
  while [ "$SECONDS" -lt "$deadline" ]; do
    eval "$2" && return 0
    kill -0 "$pid" 2>/dev/null || fail "the program ended while waiting for: $2"
    sleep 0.2
  done
  return 1
}
# An input that leads on to another state, given once: the state not reached within the patience means the
# program did not take it.
#   input_for <input command> <condition> <what is awaited>
input_for() {
  eval "$1"
  holds_within "$patience" "$2" ||
    fail "($run) no $3 within $patience seconds after $1 on the $last_window window; the display's focus: $(focus_holder)"
}
# The window the display gives the keys to, by name, or what stands there instead.
focus_holder() {
  local focused
  focused="$(xdotool getwindowfocus 2>/dev/null || true)"
  [ -n "$focused" ] || { echo "none"; return; }
  echo "$focused ($(xdotool getwindowname "$focused" 2>/dev/null || echo "no name"); the program's window is $window)"
}
# Gives an input once, waits for the window it leads to to take input, then for its picture.
#   go_to <input command> <window> [<part>...]
go_to() {
  local input="$1" name="$2"
  shift 2
  eval "$input"
  await_window "$name" "($run) $input on the $last_window window"
  picture_shot "$name" "$@"
}

start_window_manager() {
  if [ "$manager" = i3 ]; then
    printf '# i3 config file (v4)\nfont fixed\n' >"$work/i3.config"
    i3 -c "$work/i3.config" >/dev/null 2>&1 &
  else
    openbox --sm-disable >/dev/null 2>&1 &
  fi
  manager_pid=$!
  for _ in $(seq 1 300); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && return 0
    sleep 0.1
  done
  fail "$manager did not start within half a minute"
}
# Starts the program in the fresh user folder, with nothing done to its window: it must come up active by
# itself, as for a player who just started it.
start_full_screen() {
  "$program" >"$work/output.txt" 2>&1 &
  pid=$!
  wait_until 'log_has "the menus begin"' "start of the menus"
  wait_until '[ -n "$(xdotool search --name "^Korvane$" 2>/dev/null | head -1)" ]' "the program's window"
  window="$(xdotool search --name "^Korvane$" | head -1)"
  await_window welcome "the start of the menus"
}
window_inside_screen() {
  read_client_geometry
  [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ "$((X + WIDTH))" -le "$screen_width" ] &&
    [ "$((Y + HEIGHT))" -le "$screen_height" ]
}
window_geometry_is() {
  read_client_geometry
  [ "$X,$Y,$WIDTH,$HEIGHT" = "$1" ]
}

# The whole screen as the X server holds it; a PNG of it is made only where one is needed.
screenshot() {
  grab_screen "$work/$1.xwd"
  if [ -n "${KORVANE_SHOTS:-}" ]; then
    mkdir -p "$KORVANE_SHOTS"
    convert "xwd:$work/$1.xwd" "$KORVANE_SHOTS/${run}_$1.png"
  fi
}
# The game's picture alone at 128 x 96 in 16 levels a channel, as the references keep it, its colours as they are
# (see the helpers' capture).
picture_of() {
  local px py pw ph
  read -r px py pw ph < <(picture_rect)
  convert "xwd:$work/$1.xwd" -crop "${pw}x${ph}+${px}+${py}" +repage -resize '128x96!' +dither -posterize 16 \
    -strip -define png:exclude-chunks=date,time "PNG24:$work/$1_picture.png"
}
# A rectangle given in GUI units as a crop of the 128 x 96 picture.
reference_crop() {
  awk -v x="$1" -v y="$2" -v w="$3" -v h="$4" 'BEGIN {
    l = int(x * 128 / 800 + 0.5); r = int((x + w) * 128 / 800 + 0.5)
    t = int((600 - y - h) * 96 / 600 + 0.5); b = int((600 - y) * 96 / 600 + 0.5)
    printf "%dx%d+%d+%d\n", r - l, b - t, l, t }'
}
# The worst ratio of difference to tolerance of the picture against its reference, the whole and each part.
picture_measure() {
  local name="$1" worst report value part
  shift
  value="$(difference "$work/${name}_picture.png" "$references/$name.png")"
  worst="$(awk -v d="${value:-9}" -v t="$menu_tolerance" 'BEGIN { print d / t }')"
  report="whole $value"
  for part in "$@"; do
    # shellcheck disable=SC2086  # the part is four numbers
    value="$(difference "$work/${name}_picture.png" "$references/$name.png" "$(reference_crop $part)")"
    worst="$(awk -v d="${value:-9}" -v t="$part_tolerance" -v w="$worst" \
      'BEGIN { r = d / t; print (r > w ? r : w) }')"
    report+=", part $value"
  done
  echo "$worst $report"
}
# Waits for the game's picture to show the window as its reference does. The pointer rests at the picture's right
# edge, clear of every panel and button, meanwhile.
#   picture_shot <window> [<part>...]
picture_shot() {
  local name="$1" result="" deadline
  shift
  last_window="$name"
  move_to 796 300
  next_frames
  # The looks get the whole patience however long the frames above took.
  deadline=$((SECONDS + patience))
  if [ -n "${KORVANE_REFRESH_REFERENCES:-}" ]; then
    sleep "$step"
    sleep "$step"
    screenshot "$name"
    picture_of "$name"
    mkdir -p "$references"
    cp "$work/${name}_picture.png" "$references/$name.png"
  else
    [ -f "$references/$name.png" ] || fail "no reference picture $references/$name.png"
    while :; do
      screenshot "$name"
      picture_of "$name"
      result="$(picture_measure "$name" "$@")"
      within "${result%% *}" 1 && break
      kill -0 "$pid" 2>/dev/null || fail "the program ended while waiting for the $name window"
      [ "$SECONDS" -lt "$deadline" ] || break
      sleep 0.5
    done
    echo "picture $name ($run): ${result#* } (tolerance $menu_tolerance, parts $part_tolerance)"
    if ! within "${result%% *}" 1; then
      mkdir -p "$failed"
      cp "$work/${name}_picture.png" "$failed/$name.png"
      convert "xwd:$work/$name.xwd" "$failed/${name}_screen.png"
      mismatches+=("$name (${result#* })")
    fi
  fi
  let_time_pass "$settle"
}

# The foot of the picture, where the bat stands with the ball on it.
bat_rows="0 0 800 70"
bat_shot() {
  screenshot "$1"
  picture_of "$1"
}
# Once the frames after a switch have been drawn, the bat stands where it stood before it.
#   check_bat_kept <shot before> <shot after>
check_bat_kept() {
  local value
  let_time_pass "$settle"
  bat_shot "$2"
  # shellcheck disable=SC2086  # the rows are four numbers
  value="$(difference "$work/${2}_picture.png" "$work/${1}_picture.png" "$(reference_crop $bat_rows)")"
  echo "bat $2 ($run): the foot of the picture lies $value from its look before the switch"
  within "$value" "$part_tolerance" || {
    mkdir -p "$failed"
    cp "$work/${1}_picture.png" "$work/${2}_picture.png" "$failed/"
    fail "$2: the bat moved in the switch (the foot of the picture lies $value from before, beyond $part_tolerance)"
  }
}

# In full screen the bars around the picture are black to the last pixel and the picture reaches them on every
# side. Sets `layout` to what was seen.
#   layout_right <shot name>
layout_right() {
  screenshot "$1"
  local shot="xwd:$work/$1.xwd" bar bright
  local bars=()
  [ "$view_y" -gt 0 ] && bars+=("${screen_width}x${view_y}+0+0"
    "${screen_width}x$((screen_height - view_y - view_height))+0+$((view_y + view_height))")
  [ "$view_x" -gt 0 ] && bars+=("${view_x}x${screen_height}+0+0"
    "$((screen_width - view_x - view_width))x${screen_height}+$((view_x + view_width))+0")
  for bar in "${bars[@]}"; do
    bright="$(convert "$shot" -crop "$bar" +repage -format '%[fx:int(255 * maxima)]' info:)"
    layout="the bar $bar is not black (brightest channel $bright)"
    [ "$bright" = 0 ] || return 1
  done
  layout="picture ${view_width}x${view_height}+${view_x}+${view_y}"
  [ "${#bars[@]}" -eq 0 ] && return 0
  local extent
  extent="$(convert "$shot" -fuzz 4% -trim -format '%wx%h%X%Y' info:)"
  layout="the picture spans $extent, not ${view_width}x${view_height}+${view_x}+${view_y}"
  [ "$extent" = "${view_width}x${view_height}+${view_x}+${view_y}" ] || return 1
  layout="picture $extent"
}
# The window covers the display and the picture lies in it as it should.
check_full_screen_layout() {
  wait_until 'window_geometry_is "0,0,$screen_width,$screen_height"' \
    "window covering the ${screen_width}x$screen_height screen"
  holds_within "$patience" "layout_right ${1}_layout" || fail "$1: $layout"
  echo "layout $1 ($run): window 0,0,${screen_width}x$screen_height, $layout"
}

# The game's cursor is an arrow whose tip is its top-left corner. With the pointer resting on a still panel,
# the pixels that change when the cursor comes from elsewhere begin at its tip, which must lie within 2 pixels
# of where the real pointer is. Slow frames draw it late: the look is repeated until it holds still.
#   check_cursor_on_pointer <name> <x> <y> <x elsewhere> <y elsewhere>
check_cursor_on_pointer() {
  local name="$1" sx sy box="" previous="" dx dy
  read -r sx sy < <(screen_point "$2" "$3")
  move_to "$4" "$5"
  sleep 1
  screenshot "${name}_off"
  move_to "$2" "$3"
  # Only the corner around the tip is compared: the cursor's trail of sparks follows below and to the right.
  local crop="24x24+$((sx - 12))+$((sy - 12))"
  for _ in $(seq 1 40); do
    sleep 0.5
    screenshot "${name}_on"
    previous="$box"
    box="$(convert "xwd:$work/${name}_on.xwd" "xwd:$work/${name}_off.xwd" -crop "$crop" +repage \
      -compose difference -composite -colorspace gray -threshold 3% -format '%@' info:)"
    [[ "$box" =~ ^[1-9][0-9]*x[1-9][0-9]*\+([0-9]+)\+([0-9]+)$ ]] && [ "$box" = "$previous" ] && break
  done
  [[ "$box" =~ ^[1-9][0-9]*x[1-9][0-9]*\+([0-9]+)\+([0-9]+)$ ]] ||
    fail "$name: no game cursor drawn near the pointer at $sx,$sy ($box)"
  dx=$((BASH_REMATCH[1] - 12))
  dy=$((BASH_REMATCH[2] - 12))
  echo "cursor $name ($run): tip drawn $dx,$dy px from the pointer at $sx,$sy"
  if [ "${dx#-}" -gt 2 ] || [ "${dy#-}" -gt 2 ]; then
    fail "$name: the game's cursor is drawn $dx,$dy px from the pointer"
  fi
}

# Alt+Enter held until the program has switched, the pointer left still: a motion made while the program switches
# is lost (the switch puts the pointer back where the program last saw it), and the pointer is checked at rest.
alt_enter_still() {
  local resets_before
  resets_before="$(resets_logged)"
  xdotool keydown Alt_L keydown Return
  holds_within "$patience" '[ "$(resets_logged)" -gt "$resets_before" ]' ||
    fail "($run) Alt+Enter held on the $last_window window switched nothing within $patience seconds"
  xdotool keyup Return keyup Alt_L
}
# Alt+Enter to a window inside the display, then back to full screen, the pointer resting on the picture: it
# stays on its point of the picture.
#   to_window <where the switch is made>
#   to_full_screen <where the switch is made>
to_window() {
  local before
  before="$(pointer_on_picture)"
  input_for alt_enter_still 'grep -q "^v_fullscreen 0" "$folder/Korvane.ini"' "window after Alt+Enter"
  full_screen=0
  # The settings are written before the window leaves full screen.
  wait_until 'window_inside_screen && ! window_geometry_is "0,0,$screen_width,$screen_height"' \
    "window inside the ${screen_width}x$screen_height screen"
  echo "window ($run): $X,$Y sized ${WIDTH}x$HEIGHT"
  check_pointer_kept "to a window $1" "$before"
}
to_full_screen() {
  local before
  before="$(pointer_on_picture)"
  input_for alt_enter_still 'grep -q "^v_fullscreen 1" "$folder/Korvane.ini"' "full screen again after Alt+Enter"
  full_screen=1
  # The mode may have changed on the way (a window that did not fit took a smaller one): the picture is then
  # placed for it.
  mode="$(sed -n 's/^v_mode \([0-9]*\)x\([0-9]*\)x.*/\1 \2/p' "$folder/Korvane.ini")"
  read -r mode_width mode_height <<<"$mode"
  place_picture
  check_full_screen_layout "full_screen_$(tr ' ' _ <<<"$1")"
  check_pointer_kept "to full screen $1" "$before"
}

[ "$manager" != none ] && start_window_manager
start_full_screen
check_full_screen_layout first_start
picture_shot welcome "$title" "$dialog"
check_cursor_on_pointer welcome 200 572 620 572

# A name, read with Return in one slow frame: the whole name on some displays, its last letters after the first on
# the others. Then the level map from the main menu, and its start button at the foot of the picture.
click_at 400 268
case "$screen_width" in
  1920 | 800) go_to 'type_with_return_in_one_frame Ada' main_menu "${main_menu_parts[@]}" ;;
  *)
    type_text A
    go_to 'type_with_return_in_one_frame da' main_menu "${main_menu_parts[@]}"
    ;;
esac
wait_until 'ls "$folder"/profiles/ada_*.prf >/dev/null 2>&1' "profile for the typed name"
# On the players' page the click on the new player's button, a name and Return come in one slow frame: the player
# made carries the whole name. Then the click on the rename button, the name erased, a new one and Return, in one
# slow frame too.
click_at 400 192
await_window profiles "($run) the main menu's players button"
move_to 626 396
next_frames
click_and_type_in_one_frame "" "" Noa
wait_until 'ls "$folder"/profiles/noa_*.prf >/dev/null 2>&1' "($run) profile for the name typed after the click"
await_window profiles "($run) the new player's button, then Noa and Return, in one slow frame"
move_to 626 340
next_frames
click_and_type_in_one_frame "" "BackSpace BackSpace BackSpace" Bea
wait_until '[ "$(strings -e l -n 3 "$(ls "$folder"/profiles/noa_*.prf)" | head -1)" = Bea ]' \
  "($run) the new player renamed Bea"
await_window profiles "($run) the rename button, then Bea and Return, in one slow frame"
go_to 'click_at 626 152' main_menu "${main_menu_parts[@]}"
go_to 'click_at 400 342' level_map "$title"
input_for 'click_at 640 42' 'log_has "Loading level 1-1" && log_has "Blocks count"' "first level from the map's start"
picture_shot level_start
# In play the bat follows the pointer: a switch each way leaves both where the player had them. The level's first
# bat waits 1.8 s of the program's time, then slides up from below the field for 0.8 s: it is shot once it stands.
move_to 150 300
let_time_pass 3
bat_shot bat_before
to_window "in play"
check_bat_kept bat_before bat_in_window
to_full_screen "in play"
check_bat_kept bat_before bat_in_full_screen
go_to 'key Escape' in_game_menu
# The leave question's title and panel are told from the exit question's by their parts: the whole picture,
# mostly the field behind them, lies within its tolerance either way.
go_to 'click_at 400 120' leave_question "110 478 580 60" "$dialog"
go_to 'click_at 310 216' main_menu "${main_menu_parts[@]}"

# Alt+Enter with the pointer low on the picture, off its centre: a window inside the display, then full screen
# again.
move_to 120 20
to_window "in the main menu"
picture_shot main_menu "${main_menu_parts[@]}"
move_to 650 20
to_full_screen "in the main menu"
picture_shot main_menu "${main_menu_parts[@]}"
check_cursor_on_pointer main_menu 236 300 620 572

go_to 'click_at 400 92' exit_question "$title" "$dialog"
move_to 310 216
next_frames
xdotool mousedown 1
next_frames
xdotool mouseup 1
deadline=$((SECONDS + patience))
while kill -0 "$pid" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null &&
  fail "($run) the press at 310,216 on the exit_question window did not end the program within $patience seconds"
status=0
wait "$pid" || status=$?
pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"
if [ -n "${manager_pid:-}" ]; then
  kill "$manager_pid" 2>/dev/null || true
fi
check_log_and_pictures
echo "full-screen session $run: the whole picture at its shape between black bars, the cursor on the pointer," \
  "the level map's start and the main menu's exit answering, Alt+Enter to a window and back; exit code 0, no" \
  "error in the log, every picture as its reference"
