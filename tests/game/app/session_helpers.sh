# shellcheck shell=bash
# shellcheck disable=SC2154  # program and references come from the sourcing script
# The sessions' shared ground, sourced by the scripts that drive the real program on a virtual X display by mouse
# and keyboard: the display itself, a fresh user folder, the program's start and end, clicks in the game's own
# units, and the pictures of its windows held against small references.
# The sourcing script sets `program` (the korvane executable) and `references` (the folder of its pictures); the
# helpers start a virtual X display of their own for it, unless KORVANE_IN_XVFB says it runs on one already.
# Every window's picture is kept at 128 x 96 as <references>/<window>.png. To refresh them on purpose, after a
# change of the windows' looks, run with KORVANE_REFRESH_REFERENCES=1 and look at each picture before committing
# it. KORVANE_SHOTS=<folder> keeps the full-size screenshots and the log. KORVANE_STEP sets the seconds given to
# each window's entrance animation when the references are refreshed (default 3). The pictures of windows that
# strayed from their references go to <window>_failed/ in the build's test folder, beside the program's own
# folder (KORVANE_SHOTS, when set).
# Nothing here counts on time: a machine busy with other work draws the program's frames late and seldom, so every
# step waits for what it needs (a frame drawn after its input, a picture, a file's content, a line in the log) up
# to KORVANE_PATIENCE seconds (default 180). KORVANE_TIME_LIMIT, the seconds ctest gives the session
# (tests/CMakeLists.txt sets it beside the test's limit), bounds the session as a whole: the session fails
# naming where it waited half a minute before ctest would stop it without a word.
# No input is given twice: a press that leads to another window is given once that window's predecessor has told
# the log it takes input, and the session fails when the next window does not say so in turn.

# KORVANE_SCREEN_WIDTH and KORVANE_SCREEN_HEIGHT choose another size of the virtual screen.
screen_width="${KORVANE_SCREEN_WIDTH:-1024}"
screen_height="${KORVANE_SCREEN_HEIGHT:-768}"
for tool in Xvfb xdotool xwd convert compare strings; do
  command -v "$tool" >/dev/null || {
    "$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)/scripts/install-deps.sh"
    break
  }
done
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy LC_ALL=C.UTF-8
step="${KORVANE_STEP:-3}"
patience="${KORVANE_PATIENCE:-180}"
# Seconds of the program's own time let pass after a window looks as it should.
settle=1
# The build's test folder, where CTest runs the sessions: never the source tree, whatever the current folder.
test_output="$(dirname "$program")/tests"
pointer_free_wait="$test_output/korvane_pointer_free_wait"
[ -x "$pointer_free_wait" ] || { echo "FAIL: no $pointer_free_wait: build the tests first"; exit 1; }
failed="${KORVANE_SHOTS:-$test_output/$(basename "$references")_failed}"
# The root-mean-square difference, 0 to 1, that a part of a window may stray from its reference. Unlike the
# whole screen, a window's own panels and title stand still once shown: two shots of one window lie within 0.01,
# while one word more on a panel moves it by 0.03 and another title by 0.07.
part_tolerance=0.015
work="$(mktemp -d)"
pid=""
window=""
display_pid=""
watchdog_pid=""
cleanup() {
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null || true
  [ -n "$watchdog_pid" ] && kill "$watchdog_pid" 2>/dev/null || true
  [ -n "$display_pid" ] && kill "$display_pid" 2>/dev/null || true
  [ -n "${KORVANE_SHOTS:-}" ] && cp "$log" "$KORVANE_SHOTS/" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
# Stopped from outside, the session still ends its program and its display.
trap 'exit 130' INT
trap 'exit 143' TERM
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
folder="$XDG_DATA_HOME/Tarnwick Games/Korvane"
log="$folder/Korvane.html"
mismatches=()
# The window last shot or waited for: where a press is given.
last_window=""
# The log's lines of windows taking input that the session has already waited for.
windows_taken=0

fail() {
  echo "FAIL: $*"
  report_failure_state
  cat "$work/output.txt" 2>/dev/null || true
  exit 1
}
# What the program had come to when the session failed, for a failure seen once on a busy machine: the windows that
# took input in order, the players' files, and the screen with the log beside the failed pictures.
report_failure_state() {
  if [ -f "${log:-}" ]; then echo "   windows that took input: $(windows_taking_input | tr '\n' ' ')"; fi
  if [ -d "${folder:-}/profiles" ]; then echo "   players' files: $(ls "$folder/profiles" | tr '\n' ' ')"; fi
  if [ -z "${DISPLAY:-}" ] || [ -z "${display_pid:-}" ]; then return 0; fi
  mkdir -p "$failed"
  if timeout 10 xwd -root -silent >"$work/at_failure.xwd" 2>/dev/null; then
    convert "xwd:$work/at_failure.xwd" "$failed/screen_at_failure.png" 2>/dev/null || true
  fi
  cp "$log" "$failed/" 2>/dev/null || true
  echo "   the screen and the log: $failed"
}

# A virtual X display of the screen's size, on a display number the server finds free itself: sessions started
# side by side never race for one.
if [ -z "${KORVANE_IN_XVFB:-}" ]; then
  Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 "${screen_width}x${screen_height}x24" 3>"$work/display" \
    2>"$work/xvfb.txt" &
  display_pid=$!
  for _ in $(seq 1 300); do
    [ -s "$work/display" ] && break
    kill -0 "$display_pid" 2>/dev/null || fail "the virtual X display did not start: $(cat "$work/xvfb.txt")"
    sleep 0.1
  done
  [ -s "$work/display" ] || fail "the virtual X display gave no display number within half a minute"
  export DISPLAY=":$(cat "$work/display")" KORVANE_IN_XVFB=1
fi

# The session's own end, half a minute before ctest's limit (a quarter of a short one): it fails there naming the
# step it waited in, the functions it was in and the session's line that called them.
out_of_time() {
  local i steps="" caller
  for ((i = 1; i < ${#FUNCNAME[@]} - 1; i++)); do
    steps+="${FUNCNAME[i]} < "
  done
  caller="${BASH_SOURCE[i]:-$0}:${BASH_LINENO[i - 1]}"
  fail "the session's time ran out ($SECONDS of the $KORVANE_TIME_LIMIT seconds ctest gives it) in" \
    "${steps}$(basename "${caller%:*}"):${caller##*:}: $(sed -n "${caller##*:}{s/^ *//;p}" "${caller%:*}" 2>/dev/null)"
}
if [ -n "${KORVANE_TIME_LIMIT:-}" ]; then
  trap out_of_time USR1
  (
    trap 'kill "$sleeper" 2>/dev/null; exit 0' TERM
    sleep "$((KORVANE_TIME_LIMIT - (KORVANE_TIME_LIMIT > 120 ? 30 : KORVANE_TIME_LIMIT / 4) - SECONDS))" &
    sleeper=$!
    wait "$sleeper"
    kill -USR1 "$$"
  ) >/dev/null 2>&1 &
  watchdog_pid=$!
fi
# Polls for a condition while the program runs.
wait_until() {
  local deadline=$((SECONDS + patience))
  until eval "$1"; do
    kill -0 "$pid" 2>/dev/null || fail "the program ended while waiting for: $2"
    [ "$SECONDS" -lt "$deadline" ] || fail "no $2 within $patience seconds"
    sleep 0.1
  done
}
log_has() {
  [ -f "$log" ] && grep -q -- "$1" "$log"
}

# The game's name of the window a picture shows.
game_window() {
  case "$1" in
    welcome) echo window_welcome ;;
    main_menu*) echo window_main_menu ;;
    options*) echo window_options ;;
    credits) echo window_credits ;;
    high_scores) echo window_high_scores ;;
    profiles*) echo window_profiles ;;
    new_profile*) echo window_new_profile ;;
    name_taken) echo window_profile_name_conflict ;;
    rename_profile) echo window_rename_profile ;;
    delete_profile) echo window_delete_profile ;;
    exit_question) echo window_exit ;;
    level_map) echo window_start_game_logic ;;
    pause) echo window_game_logic_pause ;;
    in_game_menu) echo window_game_logic_menu ;;
    leave_question) echo window_game_logic_menu_exit ;;
    *) fail "no game window known for the picture $1" ;;
  esac
}
# The windows that took input so far, in order: a menu window writes "Window <name> takes input" to the log each
# time its entrance has ended, when its controls have come in and take the mouse where they stay.
windows_taking_input() {
  [ -f "$log" ] || return 0
  { grep -o 'Window [A-Za-z0-9_]* takes input' "$log" || true; } | cut -d' ' -f2
}
# Waits for the window a picture shows to take input, after the last window waited for; fails naming what was to
# lead there when it does not within the patience. Windows passed on the way (a loading window) are let be.
#   await_window <picture> <what leads there>
await_window() {
  local name deadline=$((SECONDS + patience)) since found
  name="$(game_window "$1")"
  while :; do
    since="$(windows_taking_input | tail -n +"$((windows_taken + 1))")"
    found="$({ grep -n -x -m 1 -- "$name" <<<"$since" || true; } | cut -d: -f1)"
    if [ -n "$found" ]; then
      windows_taken=$((windows_taken + found))
      last_window="$1"
      return 0
    fi
    kill -0 "$pid" 2>/dev/null || fail "the program ended before its $1 window ($name) took input after $2"
    [ "$SECONDS" -lt "$deadline" ] ||
      fail "$2 led to no $1 window ($name) taking input within $patience seconds; windows that took input" \
        "since: $(tr '\n' ' ' <<<"${since:-none}")"
    sleep 0.1
  done
}

# Starts the program in the fresh user folder and waits for its menus, whose first window, in a folder without
# players, is the welcome window.
start_program() {
  "$program" >"$work/output.txt" 2>&1 &
  pid=$!
  wait_until 'log_has "the menus begin"' "start of the menus"
  window="$(xdotool search --name Korvane | head -1)"
  xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
  await_window welcome "the start of the menus"
}
# Sets X, Y, WIDTH and HEIGHT to the program's window on the screen.
read_window_geometry() {
  eval "$(xdotool getwindowgeometry --shell "$window")"
}
# The game's 800 x 600 GUI units fill its window, y upwards, wherever the window lies and whatever its size.
# xdotool places the pointer by warping it, which the program's reading of the pointer does not notice until
# the next button or device motion: a last step of one pixel as a device motion makes it see the new place.
#   move_pointer <x> <y>
move_pointer() {
  read_window_geometry
  xdotool mousemove "$((X + $1 * WIDTH / 800 + 1))" "$((Y + (600 - $2) * HEIGHT / 600))"
  xdotool mousemove_relative -- -1 0
}
# The whole screen as the X server holds it, into a file. The server refuses a capture while a window changes
# between full screen and a window under a window manager: the capture is taken again.
#   grab_screen <file>
grab_screen() {
  local deadline=$((SECONDS + patience))
  until xwd -root -silent >"$1" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the screen could not be captured within $patience seconds"
    sleep 0.1
  done
}
# The screen's pixels, as a checksum: only the program draws on the virtual display, so a new sum is a new frame.
# The capture's header and colour table are left out: xwd writes the table's padding bytes uninitialised, so two
# captures of one unchanged screen can differ there, which would count a frame the program never drew.
screen_sum() {
  local header_size colours
  grab_screen "$work/sum.xwd"
  # The header's first field is its own size; its twentieth, the number of 12-byte entries in the table after it.
  read -r header_size colours < <(od --endian=big -An -tu4 -N80 "$work/sum.xwd" | tr -s ' \n' ' ' |
    awk '{ print $1, $20 }')
  tail -c "+$((header_size + 12 * colours + 1))" "$work/sum.xwd" | md5sum
}
# Returns once the program has drawn two new frames, the second of which began after the call, so that it has
# read every input sent before: a frame takes the buttons' and keys' changes in order but the pointer's place only
# as it is when the frame begins. The pointer is nudged by a pixel back and forth meanwhile, which the next frame
# shows (the menus' cursor and its trail, the bat in play) even where nothing else moves.
next_frames() {
  local frames=0 last now nudge=1 deadline=$((SECONDS + patience))
  last="$(screen_sum)"
  while [ "$frames" -lt 2 ]; do
    xdotool mousemove_relative -- "$nudge" 0
    nudge=$((-nudge))
    now="$(screen_sum)"
    if [ "$now" != "$last" ]; then
      frames=$((frames + 1))
      last="$now"
    fi
    kill -0 "$pid" 2>/dev/null || fail "the program ended while waiting for its next frame"
    [ "$SECONDS" -lt "$deadline" ] || fail "the program drew no new frame within $patience seconds"
  done
  [ "$nudge" -eq 1 ] || xdotool mousemove_relative -- -1 0
}
# Lets at least the given seconds of the program's own time pass: its frames count at most a tenth of a second
# each however long they take, so both the seconds and ten frames a second are waited for.
let_time_pass() {
  local end=$((SECONDS + $1)) frames=$(($1 * 10))
  while [ "$frames" -gt 0 ]; do
    next_frames
    frames=$((frames - 2))
  done
  while [ "$SECONDS" -lt "$end" ]; do sleep 0.1; done
}
# A click: the program sees the pointer over the button, the button held down there, and its release there before
# the pointer may move on.
press() {
  move_pointer "$1" "$2"
  next_frames
  xdotool mousedown 1
  next_frames
  release_button
  next_frames
}
# Lets go of the left button, then waits until a window manager that takes each press first (to focus by click) has
# let the click through to the program: keys typed next would otherwise reach the program before the click.
release_button() {
  xdotool mouseup 1
  let_click_through
}
let_click_through() {
  "$pointer_free_wait" "$patience" || fail "the pointer stayed held after a click for $patience seconds"
}
# A quick click, pressed and released within one frame or two: a scroll's step button steps once for it, where a
# button held longer steps again every 0.15 seconds of the program's time.
step_click() {
  move_pointer "$1" "$2"
  next_frames
  xdotool click 1
  let_click_through
  next_frames
}
# A key tapped: held while the frames come slowly, it would repeat as the display repeats a held key, while the
# program takes a key pressed and released within one frame as pressed.
key() {
  xdotool key "$1"
  next_frames
}
# Types a text a character at a time, each read by the program before the next, as a player types at an ordinary
# frame rate.
type_text() {
  local text="$1" i
  for ((i = 0; i < ${#text}; i++)); do
    xdotool type "${text:i:1}"
    next_frames
  done
}

# Types a text and then Return while the program stands still, so that one slow frame reads them all, as on a busy
# machine: Return must confirm every character typed before it, with that one press.
type_with_return_in_one_frame() {
  kill -STOP "$pid"
  xdotool type "$1"
  xdotool key Return
  kill -CONT "$pid"
}

# A click on a button that opens a name entry, and keys around it, all while the program stands still, so that one
# slow frame reads them: a text typed on the page before the click, which no box may take, then the click, then the
# name entry's editing keys (xdotool key names, or none), its text and Return. The pointer lies over the button
# already, and the program has seen it there.
#   click_and_type_in_one_frame <text before the click> <keys after it> <text after them>
click_and_type_in_one_frame() {
  kill -STOP "$pid"
  [ -z "$1" ] || xdotool type "$1"
  xdotool mousedown 1
  release_button
  # shellcheck disable=SC2086  # the key names are words
  [ -z "$2" ] || xdotool key $2
  xdotool type "$3"
  xdotool key Return
  kill -CONT "$pid"
}

# The screen at 128 x 96 in 16 levels a channel, as the references keep it. The colours are kept as they are: a
# picture of 256 colours at most would have them chosen anew for each picture whole when it has more, so that a
# still title would change its colours with a cursor or a banner elsewhere on the screen.
capture() {
  grab_screen "$work/$1.xwd"
  convert "xwd:$work/$1.xwd" -resize '128x96!' +dither -posterize 16 -strip -define png:exclude-chunks=date,time \
    "PNG24:$work/$1.png"
}
# The crop, in the reference's pixels, of a rectangle given in GUI units within the window where it lies now.
#   part_geometry <x> <y> <width> <height>
part_geometry() {
  read_window_geometry
  awk -v x="$1" -v y="$2" -v w="$3" -v h="$4" -v X="$X" -v Y="$Y" -v W="$WIDTH" -v H="$HEIGHT" \
    -v sx="$((128 * 1000 / screen_width))" -v sy="$((96 * 1000 / screen_height))" 'BEGIN {
      left = (X + x * W / 800) * sx / 1000; right = (X + (x + w) * W / 800) * sx / 1000
      top = (Y + (600 - y - h) * H / 600) * sy / 1000; bottom = (Y + (600 - y) * H / 600) * sy / 1000
      l = int(left + 0.5); t = int(top + 0.5); r = int(right + 0.5); b = int(bottom + 0.5)
      printf "%dx%d+%d+%d\n", (r > l ? r - l : 1), (b > t ? b - t : 1), l, t }'
}
# The difference between two pictures, or between the same part of each.
#   difference <picture> <reference> [<crop geometry>]
difference() {
  local picture="$1" reference="$2"
  if [ -n "${3:-}" ]; then
    convert "$1" -crop "$3" +repage "$work/part.png"
    convert "$2" -crop "$3" +repage "$work/part_reference.png"
    picture="$work/part.png"
    reference="$work/part_reference.png"
  fi
  # compare reports a difference by its exit status too.
  (compare -metric RMSE "$picture" "$reference" null: 2>&1 || true) | sed -n 's/.*(\(.*\)).*/\1/p'
}
within() {
  awk -v d="$1" -v t="$2" 'BEGIN { exit !(d != "" && d <= t) }'
}
# The largest difference of the picture from its reference: the whole screen measured against its tolerance,
# each part (a GUI rectangle "x y width height" of the window, with its own tolerance after it where the part
# tolerance is too wide to see a change there) against the part tolerance. Prints the worst ratio of
# difference to tolerance beside the differences.
#   measure <window> <tolerance> [<part>...]
measure() {
  local name="$1" tolerance="$2" whole part value worst x y width height limit
  shift 2
  whole="$(difference "$work/$name.png" "$references/$name.png")"
  worst="$(awk -v d="${whole:-9}" -v t="$tolerance" 'BEGIN { print d / t }')"
  local report="whole $whole"
  for part in "$@"; do
    read -r x y width height limit <<<"$part"
    value="$(difference "$work/$name.png" "$references/$name.png" "$(part_geometry "$x" "$y" "$width" "$height")")"
    worst="$(awk -v d="${value:-9}" -v t="${limit:-$part_tolerance}" -v w="$worst" \
      'BEGIN { r = d / t; print (r > w ? r : w) }')"
    report+=", part $value"
  done
  echo "$worst $report"
}
# True once the screen shows the window as its reference picture does, looked at for up to the given seconds
# (once for 0); sets `result` to the measure of the last look.
#   shows_within <seconds> <window> <tolerance> [<part>...]
shows_within() {
  local deadline=$((SECONDS + $1)) name="$2" tolerance="$3"
  shift 3
  while :; do
    capture "$name"
    result="$(measure "$name" "$tolerance" "$@")"
    within "${result%% *}" 1 && return 0
    kill -0 "$pid" 2>/dev/null || fail "the program ended while waiting for the $name window"
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.5
  done
}
# A press that leads from the window last shot to another: given once, the next window waited for until it takes
# input. `rest_pointer` (a command, none by default) is run after the press, where a session takes its pictures
# with the pointer elsewhere.
#   press_on <x> <y> <window>
rest_pointer=":"
press_on() {
  press "$1" "$2"
  eval "$rest_pointer"
  await_window "$3" "the press at $1,$2 on the $last_window window"
}
# A press that leads to another window, then that window's shot.
#   press_to <x> <y> <window> <tolerance> [<part>...]
press_to() {
  press_on "$1" "$2" "$3"
  shift 2
  shot "$@"
}
# Waits for the screen to show the window as its reference picture does, then lets a moment of the program's time
# pass, as a player looks before acting: play, which tells the log nothing of its windows, goes on from a settled
# field. A window that does not show as its reference within the patience is noted and the session goes on.
#   shot <window> <tolerance> [<part>...]
shot() {
  local name="$1" tolerance="$2"
  shift 2
  result=""
  last_window="$name"
  if [ -n "${KORVANE_REFRESH_REFERENCES:-}" ]; then
    sleep "$step"
    sleep "$step"
    capture "$name"
    mkdir -p "$references"
    cp "$work/$name.png" "$references/$name.png"
  else
    [ -f "$references/$name.png" ] || fail "no reference picture $references/$name.png"
    shows_within "$patience" "$name" "$tolerance" "$@" || true
    echo "picture $name: ${result#* } (tolerance $tolerance${1:+, parts $part_tolerance})"
    if ! within "${result%% *}" 1; then
      mkdir -p "$failed"
      cp "$work/$name.png" "$failed/$name.png"
      mismatches+=("$name (${result#* })")
    fi
  fi
  if [ -n "${KORVANE_SHOTS:-}" ]; then
    mkdir -p "$KORVANE_SHOTS"
    convert "xwd:$work/$name.xwd" "$KORVANE_SHOTS/$name.png"
  fi
  let_time_pass "$settle"
}

# Answers the exit question's yes and waits for the program to end by itself with exit code 0.
leave_through_exit_question() {
  move_pointer 310 216
  next_frames
  xdotool mousedown 1
  next_frames
  xdotool mouseup 1
  local deadline=$((SECONDS + patience))
  while kill -0 "$pid" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null &&
    fail "the press at 310,216 on the $last_window window did not end the program within $patience seconds"
  local status=0
  wait "$pid" || status=$?
  pid=""
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
}
# Fails on an error line in the log and on a window that strayed from its reference.
check_log_and_pictures() {
  if grep -o -E "Error|There is no|Incorrect|PROGRAM ABORTING|UNKNOWN" "$log" | head -5 | grep -q .; then
    fail "error lines in the log:" \
      "$(grep -o -E ".{0,80}(Error|There is no|Incorrect|PROGRAM ABORTING|UNKNOWN).{0,80}" "$log" | head -5)"
  fi
  [ "${#mismatches[@]}" -eq 0 ] || fail "pictures differ from their references: ${mismatches[*]}"
}
# The program reads the two keys as they are held in a frame: both are held together until it has drawn frames.
alt_enter() {
  xdotool keydown Alt_L
  next_frames
  xdotool keydown Return
  next_frames
  xdotool keyup Return
  next_frames
  xdotool keyup Alt_L
  next_frames
}
# The number of times the program has reset its drawing device (a change of mode), from its log.
resets_logged() {
  awk '{ resets += gsub(/Reseting Direct3D device/, "") } END { print resets + 0 }' "$log"
}
