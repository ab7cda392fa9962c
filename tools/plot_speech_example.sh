#!/usr/bin/env bash
# Makes docs/adpcm_speech.png: a stretch of synthetic speech, the decoder's
# output and the encoder's reconstruction, as adpcmlab dumps them.
# Needs espeak-ng, sox, octave-cli (octave, gnuplot-nox, fonts-freefont-otf).
#   tools/plot_speech_example.sh [path/to/adpcmlab]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
adpcmlab=$(realpath "${1:-$root/build/release/adpcmlab}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
espeak-ng --stdout 'Hello from the microcontroller' |
  sox -t wav - -r 8000 -c 1 -b 8 -e unsigned-integer speech.wav norm -1
echo speech | "$adpcmlab" > /dev/null
octave-cli --quiet --no-window-system --eval "
  warning('off', 'all'); set(0, 'defaultfigurevisible', 'off');
  run('wav.m'); input = y; run('pcm.m'); decoded = y; run('pred.m'); reconstructed = y;
  [~, loudest] = max(abs(input - 128)); k = max(1, loudest - 100):min(numel(input), loudest + 100);
  figure('position', [0 0 1000 560]);
  subplot(3, 1, [1 2]);
  plot(k - 1, input(k), 'k', k - 1, decoded(k), 'r', k - 1, reconstructed(k), 'b--');
  legend('input (wav.m)', 'decoded (pcm.m)', 'reconstruction (pred.m)', 'location', 'southwest');
  ylabel('8-bit value'); xlim([k(1) - 1, k(end) - 1]);
  title('adpcmlab: 4-bit ADPCM of synthetic speech at 8 kHz');
  subplot(3, 1, 3);
  plot(k - 1, input(k) - reconstructed(k), 'm');
  ylabel('input - reconstruction'); xlabel('sample'); xlim([k(1) - 1, k(end) - 1]);
  print('-dpngcairo', '-r90', '$root/docs/adpcm_speech.png');"
echo "wrote $root/docs/adpcm_speech.png"
