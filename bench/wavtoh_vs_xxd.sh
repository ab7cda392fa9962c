#!/usr/bin/env bash
# Converts a 32 MiB 8-bit mono WAV with wavtoh and the same raw bytes with
# `xxd -i`, side by side in one run, and prints the speed ratio and wavtoh's
# peak memory.
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
best() { local b=999999 t; for _ in 1 2 3; do t=$(seconds "$@"); b=$(echo "if ($t < $b) $t else $b" | bc -l); done; echo "$b"; }

t_wavtoh=$(best sh -c "echo big | '$wavtoh'")
t_xxd=$(best sh -c 'xxd -i big.raw > big_xxd.h')
peak_kib=$( { /usr/bin/time -f '%M' sh -c "echo big | '$wavtoh' > /dev/null"; } 2>&1 | tail -n 1)

printf 'wavtoh: %.3f s   xxd -i: %.3f s   ratio xxd/wavtoh: %.1fx   wavtoh peak memory: %s KiB\n' \
  "$t_wavtoh" "$t_xxd" "$(echo "$t_xxd / $t_wavtoh" | bc -l)" "$peak_kib"
