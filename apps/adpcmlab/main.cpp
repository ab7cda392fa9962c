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
#include "textout/standard_options.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: adpcmlab\n"
    "\n"
    "Converts a WAV sound as wavtoh does, then runs an experimental 4-bit ADPCM\n"
    "coder over its samples. Takes no arguments: at the prompt, type the base\n"
    "name of a WAV file in the current folder, without .wav. For NAME.wav it\n"
    "writes wav_NAME.h (with a size_wav_NAME #define) and the plot script\n"
    "mNAME.m, then, for the first 65535 samples at most:\n"
    "  wave.txt  wav.m    the input samples\n"
    "  adpcm.txt adpcm.m  the packed 4-bit codes, two to a byte\n"
    "  pcm.txt   pcm.m    the decoded signal\n"
    "  pred.txt  pred.m   the encoder's own reconstruction\n"
    "as hex lists and MATLAB plot scripts. Existing files are replaced.\n"
    "\n"
    "Exit status: 0 when the file was converted and every file written; 1 when\n"
    "no name arrived, the input could not be opened or read, a file could not\n"
    "be created or written, or the input was not a WAV file or was stereo.\n"
    "\n"
    "  --help     show this text\n"
    "  --version  show the version\n";

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

int main(int argc, char** argv) {
  TextWriter console(stdout, "stdout", prepare_console_output());
  if (handle_standard_options(argc, argv, "adpcmlab", kUsage, console)) return 0;

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
  // A console that could not take the report fails the run too.
  written = console.flush() && written;
  const bool succeeded = conversion.outcome == ConvertOutcome::Converted &&
                         conversion.filesWritten && written;
  return succeeded ? 0 : 1;
}
