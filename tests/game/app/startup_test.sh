#!/usr/bin/env bash
# The whole program on a virtual X display with fresh user folders: it reaches the menus with no error in
# its log and ends with exit code 0 when asked to quit; started beside a broken resource list it ends in the
# "Fatal Error" box (answered here), with the message on stderr and exit code 1.
#   startup_test.sh <korvane program> <data pack>
set -euo pipefail
korvane="$1"
pack="$2"
if [ -z "${KORVANE_IN_XVFB:-}" ]; then
  export KORVANE_IN_XVFB=1
  exec xvfb-run -a -s "-noreset -screen 0 1024x768x24" "$0" "$@"
fi
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy LC_ALL=C.UTF-8
# Each step waits for what it needs up to this many seconds: a busy machine starts the program slowly.
patience="${KORVANE_PATIENCE:-180}"
work="$(mktemp -d)"
pid=""
cleanup() {
  [ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  for file in "$work"/*/stderr.txt; do [ -f "$file" ] && { echo "--- $file"; cat "$file"; }; done
  exit 1
}

# Starts the program with its own user folders under the run's folder.
start() {
  local run="$work/$1" program="$2"
  mkdir -p "$run/data" "$run/config"
  XDG_DATA_HOME="$run/data" XDG_CONFIG_HOME="$run/config" "$program" >"$run/stdout.txt" 2>"$run/stderr.txt" &
  pid=$!
  log="$run/data/Tarnwick Games/Korvane/Korvane.html"
}

# Waits for the program's log to hold the text.
wait_for_log() {
  local deadline=$((SECONDS + patience))
  until [ -f "$log" ] && grep -q "$1" "$log"; do
    kill -0 "$pid" 2>/dev/null || fail "the program ended before its log said \"$1\""
    [ "$SECONDS" -lt "$deadline" ] || fail "no \"$1\" in the log within $patience seconds"
    sleep 0.1
  done
}

# The program's exit code into status.
finish() {
  status=0
  wait "$pid" || status=$?
  pid=""
}

# A normal start to the menus, then the quit request that closing the window sends.
start normal "$korvane"
wait_for_log "the menus begin"
kill -TERM "$pid"
finish
[ "$status" -eq 0 ] || fail "exit code $status after a normal quit"
if grep -o -E "Error|There is no|Incorrect|PROGRAM ABORTING|UNKNOWN" "$log" | head -5 | grep -q .; then
  fail "error lines in the log: $(grep -o -E ".{0,80}(Error|There is no|Incorrect|PROGRAM ABORTING|UNKNOWN).{0,80}" "$log" | head -5)"
fi
grep -q "Korvane Log end" "$log" || fail "the log was not closed"
echo "normal start: menus reached, exit code 0, no error in the log"

# The same program in an installation whose loose resource list (loose files win over the pack) is broken.
install="$work/install"
mkdir -p "$install/data/ui/background"
cp "$korvane" "$install/korvane"
ln -s "$(readlink -f "$pack")" "$install/data/pack0.pak"
printf '<resources><model name="broken"' >"$install/data/ui/background/resources_additional.xml"
start broken "$install/korvane"
deadline=$((SECONDS + patience))
while [ "$SECONDS" -lt "$deadline" ]; do
  kill -0 "$pid" 2>/dev/null || break
  # The box carries its title in a form a search by name does not match, so once the message is out every
  # window is told Return (the box's default button).
  if grep -q "^Fatal Error: " "$work/broken/stderr.txt"; then
    for window in $(xdotool search ".*" 2>/dev/null || true); do
      xdotool key --window "$window" Return 2>/dev/null || true
    done
  fi
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the broken start did not end within $patience seconds"
finish
[ "$status" -eq 1 ] || fail "exit code $status after a broken resource list"
grep -q "^Fatal Error: ." "$work/broken/stderr.txt" || fail "no fatal message on stderr"
echo "broken list: fatal message on stderr, exit code 1"
