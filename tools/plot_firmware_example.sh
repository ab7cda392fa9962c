#!/usr/bin/env bash
# Makes docs/firmware_chime.png: the start of the chime as the sound file
# holds it, and the PWM duty the example players put out for it in simavr
# (pwm_player from the raw bytes, adpcm_player decoding 4-bit codes).
# Needs the example firmware's tools (gcc-avr, avr-libc, arduino-core-avr),
# sox, octave-cli (octave, gnuplot-nox, fonts-freefont-otf), and the
# ci-gcc build (for trace_firmware).
#   tools/plot_firmware_example.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
trace="$root/build/ci-gcc/tests/trace_firmware"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
make -s -C "$root/examples/firmware" OUT="$work" \
  WAVTOH="$root/build/release/wavtoh" ADPCMLAB="$root/build/release/adpcmlab"
sox "$root/examples/chime.wav" -t u8 - | od -An -v -tu1 > "$work/samples.txt"
"$trace" "$work/pwm_player-atmega328p.elf" atmega328p 0.6 | grep -v "^Loaded" > "$work/raw.txt"
"$trace" "$work/adpcm_player-atmega328p.elf" atmega328p 0.6 | grep -v "^Loaded" > "$work/adpcm.txt"
cd "$work"
octave-cli --quiet --no-window-system --eval "
  warning('off', 'all'); set(0, 'defaultfigurevisible', 'off');
  s = load('samples.txt')'; s = s(:); raw = load('raw.txt'); adpcm = load('adpcm.txt');
  % The first write is the rest value before the sound: start the clock at
  % the first sample, and show the first 8 ms.
  t0 = raw(2, 1); ms = 8; n = ms * 8;
  figure('position', [0 0 1000 480]); hold on;
  [xr, yr] = stairs((raw(2:end, 1) - t0) * 1000, raw(2:end, 2));
  [xa, ya] = stairs((adpcm(2:end, 1) - adpcm(2, 1)) * 1000, adpcm(2:end, 2));
  plot(xr, yr, 'r', 'linewidth', 1.5); plot(xa, ya, 'b');
  plot((0:n - 1) / 8, s(1:n), 'k.', 'markersize', 10);
  xlim([0 ms]); ylim([0 255]); xlabel('ms'); ylabel('PWM duty (8-bit)');
  h = legend('pwm_player (raw bytes)', 'adpcm_player (4-bit codes)', 'chime.wav samples', ...
             'location', 'southeast');
  set(h, 'interpreter', 'none');
  title('examples/chime.wav played by the example firmware in simavr (ATmega328P, 16 MHz)');
  print('-dpngcairo', '-r90', '$root/docs/firmware_chime.png');"
echo "wrote $root/docs/firmware_chime.png"
