// adpcmlab: converts <name>.wav as wavtoh does, then runs the 4-bit ADPCM
// coder over the samples and dumps input, codes, decoded signal and the
// coder's reconstruction as hex lists and MATLAB plot scripts.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "adpcm/adpcm_codec.h"
#include "adpcm/sample_dumps.h"
#include "conversion/convert_wav.h"
#include "textout/console.h"

namespace {

std::uint8_t waveBuf[kSampleBufferSize];   // input samples
std::uint8_t adpcmBuf[kSampleBufferSize];  // packed 4-bit codes
std::uint8_t pcmBuf[kSampleBufferSize];    // decoder output

bool write_dumps(TextWriter& console, std::uint32_t sampleCount) {
  const std::uint32_t codeBytes = sampleCount >> 1;
  bool written = write_hex_list(console, waveBuf, sampleCount, "wave.txt");
  written = write_hex_list(console, adpcmBuf, codeBytes, "adpcm.txt") && written;
  written = write_hex_list(console, pcmBuf, sampleCount, "pcm.txt") && written;
  written = write_plot_script(console, waveBuf, sampleCount, "wav.m") && written;
  written = write_plot_script(console, adpcmBuf, codeBytes, "adpcm.m") && written;
  written = write_plot_script(console, pcmBuf, sampleCount, "pcm.m") && written;
  return written;
}

}  // namespace

int main() {
  TextWriter console(stdout, "stdout", console_encoding());
  std::memset(pcmBuf, 0, sizeof pcmBuf);
  std::memset(adpcmBuf, 0, sizeof adpcmBuf);
  std::memset(waveBuf, 0, sizeof waveBuf);

  const ConvertResult conversion = convert_wav(console, stdin, waveBuf);
  if (conversion_ends_program(conversion.outcome)) {
    console.flush();
    return 1;
  }
  // The experiment runs whatever the conversion's outcome, on what the
  // buffers hold; only a full conversion counts as success.
  const std::uint32_t sampleCount = conversion.sampleCount;
  bool written = adpcm_codec(console, waveBuf, adpcmBuf, pcmBuf, sampleCount);
  written = write_dumps(console, sampleCount) && written;
  console.flush();
  const bool succeeded = conversion.outcome == ConvertOutcome::Converted &&
                         conversion.filesWritten && written;
  return succeeded ? 0 : 1;
}
