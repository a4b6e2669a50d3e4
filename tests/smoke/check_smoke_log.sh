#!/usr/bin/env bash
# Runs the smoke program for a few frames in a scratch folder and checks the log's opening and closing lines.
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
if grep -q '#FF0000' "$log"; then
  echo "the log holds errors:"; cat "$log"; exit 1
fi
echo "smoke log ok"
