#!/usr/bin/env bash
# Runs the smoke program for about two seconds on SDL's disk audio driver, which records in real time: the
# scene plays its effect (a quarter second of WAV) and loops its music (Ogg Vorbis, streamed). Checks that both
# load without an error line and that the recording holds more sound than the effect alone could make.
#   check_smoke_sound.sh <engine_smoke> <engine_smoke_data>
set -euo pipefail
program="$1" make_data="$2"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

"$make_data" "$scratch/install"
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$scratch/out.raw" \
  "$program" --data "$scratch/install" --frames 150 --frame-sleep 10 --log-dir "$scratch/Logs"
log="$scratch/Logs/smoke.html"
grep -q 'Initialization of DirectSound Subsystem:' "$log" || { echo "no sound system in the log"; exit 1; }
if grep -q '#FF0000' "$log"; then
  echo "the log holds errors:"; sed 's/<BR>/\n/g; s/<[^>]*>//g' "$log"; exit 1
fi
effect_bytes=22048
sounding=$(tr -d '\000' < "$scratch/out.raw" | wc -c)
[ "$sounding" -gt $((3 * effect_bytes)) ] || { echo "the output is silent ($sounding non-zero bytes)"; exit 1; }
echo "smoke sound ok ($sounding non-zero bytes)"
