#!/usr/bin/env bash
# The whole program started beside one damaged copy of a data file at a time: a font, the font lists, a font
# picture, window descriptions, the texts, the level list, the map and the resource lists, cut in half or with
# their header bytes flipped, plus a title template naming a font nobody lists or printing at no speed and a level
# list one level short of the map; and the files first read when a level starts, the first stage's surroundings,
# the field and a block description, each cut in half, with level 1-1 started from a new player's menus. Every
# start must end within the deadline either in the menus or in play (then quit with exit code 0) or in the "Fatal
# Error" message with exit code 1: never a hang, a crash signal or a sanitizer report. Where only the fatal message
# is sound, the message names the damaged file by its data path ("data\levels\levels.xml") and the log's line on it
# names the file. A loose file beside the executable wins over the pack's entry, so each start gets an installation
# of its own holding the pack and the one damaged file, and an X server of its own, since a game whose window
# lacks the focus rests in its focus freeze.
#   damaged_data_test.sh <korvane program> <generated data folder> <data pack> <work folder>
# The sessions' helpers run in a subshell of their own, whose globals are meant to stay there.
# shellcheck disable=SC2030,SC2031
set -euo pipefail
korvane="$(readlink -f "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
stage="$(readlink -f "$2")"
pack="$(readlink -f "$3")"
work="$4"
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy LC_ALL=C.UTF-8
# A clean start takes 5 to 10 s on an idle machine; a loaded CI machine gets ample room.
deadline="${KORVANE_DAMAGED_DEADLINE:-150}"
cores="$(nproc)"
# Most of a start waits on its own drawing thread: two at a time even on two cores.
half=$((cores / 2))
parallel="${KORVANE_DAMAGED_STARTS:-$((half < 2 ? 2 : half > 6 ? 6 : half))}"

for tool in Xvfb xdotool xwd perl; do
  command -v "$tool" >/dev/null || "$here/../../../scripts/install-deps.sh"
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing"; exit 1; }
done

# name | file under data/ | damage: half (the first half of the file), header (its first 16 bytes inverted) or
# a Perl substitution applied to the whole file | the outcome it must have, when only one is sound | level when
# the start goes on from the menus into level 1-1 and reaches its logic, loading when the file is read while the
# level loads, before its logic.
cases=(
  "title_font_half|ui/fonts/en/serif_bold_36.vef|half|fatal"
  "title_font_header|ui/fonts/en/serif_bold_36.vef|header|fatal"
  "font_picture_half|ui/fonts/common/title.tga|half"
  "basic_font_list_header|ui/fonts/fonts_basic.xml|header"
  "additional_font_list_half|ui/fonts/fonts_additional.xml|half"
  "title_template_header|ui/windows/tpl_title.xml|header"
  "title_font_misnamed|ui/windows/tpl_title.xml|s/font=\"title\"/font=\"titlf\"/g|menus"
  "title_never_printing|ui/windows/tpl_title.xml|s/printing_speed=\"40\"/printing_speed=\"0\"/g|menus"
  "main_menu_window_half|ui/windows/window_main_menu.xml|half"
  "texts_half|ui/texts/texts.xml|half"
  "default_texts_header|ui/texts/default_texts.xml|header"
  "level_list_half|levels/levels.xml|half"
  "level_list_header|levels/levels.xml|header"
  "level_list_short|levels/levels.xml|s/^ *<level ace_time=\"100\"\\/>\\n//m|fatal"
  "map_half|ui/map/map.gmf|half"
  "basic_resources_half|ui/resources_basic.xml|half"
  "additional_resources_header|ui/resources_additional.xml|header"
  "courtyard_half|environment/courtyard.xml|half|fatal|level"
  "field_half|environment/field.krf|half|fatal|level"
  "brick_half|game_objects/blocks/brick.xml|half|fatal|loading"
)
# The installation folder's name has capitals, which no file's name in a message may take on.
install_folder=LS-Caps
fail() {
  echo "FAIL: $*"
  exit 1
}

damage() {
  local source="$1" target="$2" how="$3" size
  size="$(stat -c %s "$source")"
  case "$how" in
    half) head -c "$((size / 2))" "$source" >"$target" ;;
    header) perl -0777 -pe 'substr($_, 0, 16) ^= "\xff" x 16' "$source" >"$target" ;;
    *)
      perl -0777 -pe "$how" "$source" >"$target"
      if cmp -s "$source" "$target"; then fail "the edit \"$how\" left $source as it was"; fi
      ;;
  esac
}

# Starts one X server on a display number it finds free itself (so parallel starts never race for one).
start_display() {
  local run="$1"
  Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1024x768x24 3>"$run/display" 2>"$run/xvfb.txt" &
  echo $! >"$run/xvfb.pid"
  for _ in $(seq 1 300); do
    [ -s "$run/display" ] && return 0
    sleep 0.1
  done
  return 1
}

# Level 1-1 started as a new player starts it, through the sessions' own steps by mouse and keyboard: a name
# typed into the welcome window, the main menu's start, the level map's start. The sessions' helpers keep their
# state in globals of their own, so they run in a subshell, on the start's display and program. The start
# button is let go without waiting for frames after it: a level that cannot be built ends the program then.
#   start_level <display> <program's process> <log> <start's folder>
start_level() {
  (
    # The helpers' own scratch folder goes into the start's folder.
    export DISPLAY="$1" KORVANE_IN_XVFB=1 TMPDIR="$4"
    # shellcheck disable=SC2034  # read by the helpers
    program="$korvane" references=""
    # shellcheck source=tests/game/app/session_helpers.sh
    source "$here/session_helpers.sh"
    # The program is the start's own: the helpers' end must leave it running.
    trap 'rm -rf "$work"' EXIT
    pid="$2" log="$3"
    window="$(xdotool search --name Korvane | head -1)"
    xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
    await_window welcome "the start of the menus"
    press 400 268
    type_text "Ada"
    key Return
    await_window main_menu "Return in the welcome window"
    press 400 342
    await_window level_map "the press at 400,342 on the main menu"
    move_pointer 640 42
    next_frames
    xdotool mousedown 1
    next_frames
    xdotool mouseup 1
    echo "level 1-1 asked for"
  )
}

# One start: its outcome goes to <run>/outcome as "menus <exit code>", "play <exit code>", "fatal <exit code>",
# "ended <exit code>" or "hang".
run_case() {
  local name="$1" file="$2" how="$3" where="$4"
  local run="$work/$name" log outcome="" status=0 display game
  local install="$run/$install_folder"
  mkdir -p "$install/data/$(dirname "$file")" "$run/home/data" "$run/home/config"
  ln "$korvane" "$install/korvane" 2>/dev/null || cp "$korvane" "$install/korvane"
  ln -s "$pack" "$install/data/pack0.pak"
  damage "$stage/$file" "$install/data/$file" "$how"
  log="$run/home/data/Tarnwick Games/Korvane/Korvane.html"
  start_display "$run" || { echo "no display" >"$run/outcome"; return; }
  display=":$(head -1 "$run/display")"
  : >"$run/stderr.txt"
  DISPLAY="$display" XDG_DATA_HOME="$run/home/data" XDG_CONFIG_HOME="$run/home/config" \
    "$install/korvane" >"$run/stdout.txt" 2>>"$run/stderr.txt" &
  game=$!
  local end=$((SECONDS + deadline))
  while kill -0 "$game" 2>/dev/null && [ "$SECONDS" -lt "$end" ]; do
    if [ -z "$outcome" ] && [ -f "$log" ] && grep -q "the menus begin" "$log"; then
      if [ -n "$where" ]; then
        outcome=level
        start_level "$display" "$game" "$log" "$run" >"$run/level.txt" 2>&1 || kill -TERM "$game" 2>/dev/null || true
      else
        # A moment more in the menus, then the quit request that closing the window sends.
        outcome=menus
        sleep 1
        kill -TERM "$game" 2>/dev/null || true
      fi
    fi
    # The level's blocks are counted once its logic stands: a moment of play, then the quit request.
    if [ "$outcome" = level ] && grep -q "Blocks count" "$log"; then
      outcome=play
      sleep 1
      kill -TERM "$game" 2>/dev/null || true
    fi
    # The box is the only window left once the message is out: Return is its default button.
    if grep -q "^Fatal Error: " "$run/stderr.txt"; then
      outcome=fatal
      for window in $(DISPLAY="$display" xdotool search ".*" 2>/dev/null || true); do
        DISPLAY="$display" xdotool key --window "$window" Return 2>/dev/null || true
      done
    fi
    sleep 0.2
  done
  if kill -0 "$game" 2>/dev/null; then
    kill -KILL "$game" 2>/dev/null || true
    wait "$game" 2>/dev/null || true
    echo "hang${outcome:+ after reaching $outcome}" >"$run/outcome"
  else
    wait "$game" || status=$?
    echo "${outcome:-ended} $status" >"$run/outcome"
  fi
  kill "$(cat "$run/xvfb.pid")" 2>/dev/null || true
  wait "$(cat "$run/xvfb.pid")" 2>/dev/null || true
}

# The run's verdict on one start, empty when it is sound.
judge() {
  local name="$1" file="$2" expected="$3" where="$4" run="$work/$1" outcome log
  log="$run/home/data/Tarnwick Games/Korvane/Korvane.html"
  outcome="$(cat "$run/outcome" 2>/dev/null || echo "no outcome")"
  if grep -q -E "ERROR: (Address|Leak|Thread|Memory)Sanitizer|runtime error:|SUMMARY: UndefinedBehaviorSanitizer" \
    "$run/stderr.txt" 2>/dev/null; then
    echo "a sanitizer report: $(grep -m1 -E "Sanitizer|runtime error:" "$run/stderr.txt")"
    return
  fi
  if [ -n "$where" ]; then
    if ! grep -q "^level 1-1 asked for" "$run/level.txt" 2>/dev/null; then
      echo "no start of level 1-1: $(grep -m1 "FAIL" "$run/level.txt" 2>/dev/null || echo "the menus never began")"
      return
    fi
    if [ "$where" = loading ]; then
      grep -q "Window window_game_logic_loading takes input" "$log" 2>/dev/null ||
        echo "a level start that never began loading level 1-1"
    else
      grep -q "Loading level 1-1" "$log" 2>/dev/null || echo "a level start that never reached level 1-1's logic"
    fi
  fi
  case "$outcome" in
    "menus 0" | "play 0") ;;
    "fatal 1")
      grep -q "^Fatal Error: ." "$run/stderr.txt" || echo "an empty fatal message"
      ;;
    *)
      echo "$outcome"
      return
      ;;
  esac
  if [ -n "$expected" ] && [ "${outcome%% *}" != "$expected" ]; then
    echo "$outcome where only $expected is sound"
    return
  fi
  [ "$expected" = fatal ] || return 0
  # Named as the game names its data, whatever the installation folder is called.
  local data_path="data/$file"
  data_path="${data_path//\//\\}"
  grep -q -F "\"$data_path\"" "$run/stderr.txt" ||
    echo "a fatal message that does not name \"$data_path\": $(grep -m1 "^Fatal Error: " "$run/stderr.txt")"
  grep -q "PROGRAM ABORTING: [^<]*$(basename "$file")" "$log" 2>/dev/null ||
    echo "no line in the log naming $(basename "$file") as the reason the program ended"
}

rm -rf "$work"
mkdir -p "$work"
for entry in "${cases[@]}"; do
  IFS='|' read -r _ file _ <<<"$entry"
  [ -f "$stage/$file" ] || fail "no $file in $stage to damage"
done

echo "${#cases[@]} starts, $parallel at a time, each within ${deadline} s"
started=$SECONDS
for entry in "${cases[@]}"; do
  IFS='|' read -r name file how _ where <<<"$entry"
  while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do
    sleep 0.2
  done
  run_case "$name" "$file" "$how" "$where" &
done
wait

failures=0
for entry in "${cases[@]}"; do
  IFS='|' read -r name file _ expected where <<<"$entry"
  verdict="$(judge "$name" "$file" "$expected" "$where")"
  printf '%-30s %-45s %s\n' "$name" "$file" "$(cat "$work/$name/outcome" 2>/dev/null)"
  if [ -n "$verdict" ]; then
    failures=$((failures + 1))
    echo "  FAIL: ${verdict//$'\n'/$'\n'  FAIL: }"
    if [ -s "$work/$name/level.txt" ]; then
      echo "  --- the way into level 1-1"
      tail -5 "$work/$name/level.txt" | sed 's/^/  /'
    fi
    echo "  --- stderr"
    tail -20 "$work/$name/stderr.txt" 2>/dev/null | sed 's/^/  /' || true
    echo "  --- end of the log"
    sed -e 's/<[^>]*>/\n/g' "$work/$name/home/data/Tarnwick Games/Korvane/Korvane.html" 2>/dev/null | grep . |
      tail -15 | sed 's/^/  /' || true
  fi
done
echo "$((SECONDS - started)) s"
[ "$failures" -eq 0 ] ||
  fail "$failures of ${#cases[@]} starts reached neither the menus nor play nor the fatal message naming the file"
echo "every damaged start reached the menus, play or the fatal message naming the file"
