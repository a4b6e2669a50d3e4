#!/usr/bin/env bash
# Runs the smoke program for a few frames in a scratch folder and checks the log's opening and closing lines
# and that the settings file is written and read back.
set -euo pipefail
program="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

"$program" --frames 5 --log-dir "$scratch/Logs"
log="$scratch/Logs/smoke.html"
[ -f "$log" ] || { echo "no log at $log"; exit 1; }
grep -q '<TITLE>Velkor Engine Smoke Log</TITLE>' "$log" || { echo "log header missing"; exit 1; }
grep -q 'Velkor Engine Smoke Log end: ' "$log" || { echo "log closing line missing"; exit 1; }
grep -q 'Exiting...' "$log" || { echo "exit message missing"; exit 1; }
grep -q 'Initialization of Direct3D subsystem' "$log" || { echo "render system not started"; exit 1; }
grep -q 'Centre pixel: 255 0 0' "$log" || { echo "the drawn triangle is not in the frame"; grep 'Centre pixel' "$log"; exit 1; }
grep -q 'Textured quad pixel: 0 255 0' "$log" || { echo "the textured quad is not in the frame"; grep 'Textured quad pixel' "$log"; exit 1; }
# Half the orange texture's colour: the light falls at 60 degrees.
lit="$(grep -o 'Lit quad pixel: [0-9]* [0-9]* [0-9]*' "$log" | head -1 | cut -d' ' -f4-)"
echo "$lit" | awk '{ exit !($1 >= 125 && $1 <= 131 && $2 >= 61 && $2 <= 67 && $3 <= 3) }' ||
  { echo "the lit quad is not in the frame: '$lit'"; exit 1; }
grep -q 'Model pixel: 255 255 0' "$log" || { echo "the animated model is not in the frame"; grep 'Model pixel' "$log"; exit 1; }
if grep -q '#FF0000' "$log"; then
  echo "the log holds errors:"; cat "$log"; exit 1
fi
settings="$scratch/Logs/smoke.ini"
grep -q $'^v_mode 800x600x32\r$' "$settings" || { echo "settings file missing or wrong"; exit 1; }
# A second run reads the settings back and writes them again.
sed -i 's/^v_gamma .*/v_gamma 1.25\r/' "$settings"
"$program" --frames 2 --log-dir "$scratch/Logs"
grep -q $'^v_gamma 1.250000\r$' "$settings" || { echo "settings not read back"; exit 1; }
echo "smoke log ok"
