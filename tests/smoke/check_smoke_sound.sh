#!/usr/bin/env bash
# Runs the smoke program for about two seconds with an effect (a quarter second of WAV) and streamed music (Ogg
# Vorbis, over 1 MiB decoded) on SDL's disk audio driver, which records in real time, and checks that both load
# without an error line and that the recording holds more sound than the effect alone could make.
set -euo pipefail
program="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

le32() {
  local v=$1
  printf "\\x$(printf %02x $((v & 255)))\\x$(printf %02x $(((v >> 8) & 255)))"
  printf "\\x$(printf %02x $(((v >> 16) & 255)))\\x$(printf %02x $(((v >> 24) & 255)))"
}
bytes=22048
{
  printf 'RIFF'; le32 $((36 + bytes)); printf 'WAVEfmt '; le32 16
  printf '\x01\x00\x02\x00'; le32 22050; le32 88200; printf '\x04\x00\x10\x00'
  printf 'data'; le32 $bytes; head -c $bytes /dev/urandom
} > "$scratch/effect.wav"
head -c 1411200 /dev/urandom | oggenc -Q -r -B 16 -C 2 -R 22050 -o "$scratch/music.ogg" -

SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$scratch/out.raw" \
  "$program" --frames 150 --frame-sleep 10 --log-dir "$scratch/Logs" --sound "$scratch/effect.wav" --music "$scratch/music.ogg"
log="$scratch/Logs/smoke.html"
grep -q 'Initialization of DirectSound Subsystem:' "$log" || { echo "no sound system in the log"; exit 1; }
if grep -q '#FF0000' "$log"; then
  echo "the log holds errors:"; cat "$log"; exit 1
fi
sounding=$(tr -d '\000' < "$scratch/out.raw" | wc -c)
[ "$sounding" -gt $((3 * bytes)) ] || { echo "the output is silent ($sounding non-zero bytes)"; exit 1; }
echo "smoke sound ok ($sounding non-zero bytes)"
