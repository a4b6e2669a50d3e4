#!/usr/bin/env bash
# Runs the smoke program on the smoke data, first as loose files and then packed into one pack, and checks each
# log: every service started and stopped, the scene's files read without a single error line, "exit" ended
# the run; and that the settings file is written and read back, the second time through relative folders.
#   check_smoke_log.sh <engine_smoke> <engine_smoke_data> <korvane_pak>
set -euo pipefail
program="$1" make_data="$2" pak="$3"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL ($1): $2"; [ -f "$log" ] && sed 's/<BR>/\n/g; s/<[^>]*>//g' "$log" | tail -60; exit 1; }

check_run() {
  local run="$1"
  log="$scratch/$run/smoke.html"
  [ -f "$log" ] || fail "$run" "no log at $log"
  grep -q '<TITLE>Velkor Engine Smoke Log</TITLE>' "$log" || fail "$run" "log header missing"
  for section in 'Initialization of Direct3D subsystem' 'Initialization of DirectInput devices' \
                 'Initialization of DirectSound Subsystem:' 'Exiting...' 'Window destroying:' \
                 'Velkor Engine Smoke Log end: '; do
    grep -q "$section" "$log" || fail "$run" "\"$section\" missing from the log"
  done
  if grep -q '#FF0000' "$log"; then fail "$run" "the log holds an error line"; fi
}

"$make_data" "$scratch/loose"
"$program" --data "$scratch/loose" --frames 30 --log-dir "$scratch/loose-run"
check_run loose-run

mkdir -p "$scratch/packed/Data"
"$pak" create "$scratch/packed/Data/pack0.pak" "$scratch/loose" Data
[ -z "$(find "$scratch/packed" -type f ! -name pack0.pak)" ] || fail packed "loose files beside the pack"
"$program" --data "$scratch/packed" --frames 30 --log-dir "$scratch/packed-run"
check_run packed-run

settings="$scratch/loose-run/smoke.ini"
grep -q $'^v_mode 800x600x32\r$' "$settings" || fail settings "settings file missing or wrong"
# A second run reads the settings back and writes them again; a relative log folder is taken from the current
# folder, as the command line's other file names are.
sed -i 's/^v_gamma .*/v_gamma 1.25\r/' "$settings"
(cd "$scratch" && "$program" --data loose --frames 2 --log-dir loose-run)
[ ! -e "$scratch/loose/loose-run" ] || fail settings "the relative log folder was made inside the installation"
grep -q $'^v_gamma 1.250000\r$' "$settings" || fail settings "settings not read back"
echo "smoke log ok"
