#!/usr/bin/env bash
# Converts a 32 MiB 8-bit mono WAV with wavtoh, side by side in one run with
#  - `xxd -i` on the same raw bytes (the common tool for the same job), and
#  - `cat` copying wavtoh's own output to a new file (the floor for writing
#    those bytes at all),
# best of five rounds each, and prints both ratios and wavtoh's peak memory.
#   bench/wavtoh_vs_xxd.sh [path/to/wavtoh]
set -euo pipefail
wavtoh=$(realpath "${1:-build/release/wavtoh}")
command -v xxd >/dev/null || { echo "xxd is needed (apt-get install xxd)"; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

size=$((32 * 1024 * 1024))
head -c "$size" /dev/urandom > big.raw
le32() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $((($1 >> 8) & 255)))\\x$(printf %02x $((($1 >> 16) & 255)))\\x$(printf %02x $((($1 >> 24) & 255)))"; }
{
  printf 'RIFF'; le32 $((size + 36)); printf 'WAVEfmt '; le32 16
  printf '\x01\x00\x01\x00\x40\x1f\x00\x00\x40\x1f\x00\x00\x01\x00\x08\x00data'; le32 "$size"
  cat big.raw
} > big.wav

seconds() { local t0 t1; t0=$(date +%s.%N); "$@" > /dev/null; t1=$(date +%s.%N); echo "$t1 - $t0" | bc -l; }
min() { echo "if ($1 < $2) $1 else $2" | bc -l; }

b_wavtoh=999999 b_xxd=999999 b_copy=999999
for _ in 1 2 3 4 5; do  # interleaved, so a slow moment of the machine hits all three
  b_wavtoh=$(min "$(seconds sh -c "echo big | '$wavtoh'")" "$b_wavtoh")
  b_copy=$(min "$(seconds sh -c 'rm -f copy.h; cat wav_big.h > copy.h')" "$b_copy")
  b_xxd=$(min "$(seconds sh -c 'xxd -i big.raw > big_xxd.h')" "$b_xxd")
done
peak_kib=$( { /usr/bin/time -f '%M' sh -c "echo big | '$wavtoh' > /dev/null"; } 2>&1 | tail -n 1)
out_mb=$(( $(stat -c %s wav_big.h) / 1000000 ))

printf 'wavtoh: %.3f s   xxd -i: %.3f s   cat of the %s MB output: %.3f s\n' \
  "$b_wavtoh" "$b_xxd" "$out_mb" "$b_copy"
printf 'xxd/wavtoh: %.1fx   wavtoh/copy: %.2fx   wavtoh peak memory: %s KiB\n' \
  "$(echo "$b_xxd / $b_wavtoh" | bc -l)" "$(echo "$b_wavtoh / $b_copy" | bc -l)" "$peak_kib"
