#include "apps/adpcmlab/experiment.h"

#include <algorithm>
#include <cstring>

#include "adpcm/adpcm_codec.h"
#include "adpcm/sample_dumps.h"

namespace {

// Static: four 64 KiB buffers stay off the stack.
std::uint8_t waveBuf[kSignalSize];
std::uint8_t adpcmBuf[kSignalSize];
std::uint8_t pcmBuf[kSignalSize];
std::uint8_t predBuf[kSignalSize];

// Codes and decodes, writes the reconstruction and reports "OK!".
bool adpcm_codec(TextWriter& console, std::uint32_t len) {
  adpcm_encode({waveBuf, len}, adpcmBuf, {predBuf, len});
  adpcm_decode(adpcmBuf, {pcmBuf, len});
  bool written = write_hex_list(console, {predBuf, len}, "pred.txt");
  written = write_plot_script(console, {predBuf, len}, "pred.m") && written;
  console.text("OK!\n");
  return written;
}

bool write_dumps(TextWriter& console, std::uint32_t len) {
  const std::uint32_t codeBytes = len >> 1;
  bool written = write_hex_list(console, {waveBuf, len}, "wave.txt");
  written = write_hex_list(console, {adpcmBuf, codeBytes}, "adpcm.txt") && written;
  written = write_hex_list(console, {pcmBuf, len}, "pcm.txt") && written;
  written = write_plot_script(console, {waveBuf, len}, "wav.m") && written;
  written = write_plot_script(console, {adpcmBuf, codeBytes}, "adpcm.m") && written;
  written = write_plot_script(console, {pcmBuf, len}, "pcm.m") && written;
  return written;
}

}  // namespace

void clear_signals() {
  std::memset(pcmBuf, 0, sizeof pcmBuf);
  std::memset(adpcmBuf, 0, sizeof adpcmBuf);
  std::memset(waveBuf, 0, sizeof waveBuf);
}

std::span<std::uint8_t> wave_buffer() { return waveBuf; }

bool run_experiment(TextWriter& console, std::uint32_t sampleCount) {
  const auto len = static_cast<std::uint32_t>(std::min<std::size_t>(sampleCount, kSignalSize));
  const bool codecWritten = adpcm_codec(console, len);
  return write_dumps(console, len) && codecWritten;
}
