// adpcmlab: converts <name>.wav as wavtoh does, then runs the 4-bit ADPCM
// coder over the samples and dumps input, codes, decoded signal and the
// coder's reconstruction as hex lists and MATLAB plot scripts.
#include <cstdint>
#include <cstdio>

#include "apps/adpcmlab/experiment.h"
#include "apps/common/standard_options.h"
#include "conversion/convert_wav.h"
#include "textout/console.h"
#include "textout/texts.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: adpcmlab\n"
    "\n"
    "Converts a WAV sound as wavtoh does, then runs an experimental 4-bit ADPCM\n"
    "coder over its samples. Takes no arguments: at the prompt, type the path\n"
    "of a WAV file without .wav. For PATH/NAME.wav it writes, into the current\n"
    "folder, wav_NAME.h (with a size_wav_NAME #define) and the plot script\n"
    "mNAME.m, then, for the first 65535 samples at most:\n"
    "  wave.txt  wav.m    the input samples\n"
    "  adpcm.txt adpcm.m  the packed 4-bit codes, two to a byte\n"
    "  pcm.txt   pcm.m    the decoded signal\n"
    "  pred.txt  pred.m   the encoder's own reconstruction\n"
    "as hex lists and MATLAB plot scripts. Existing files are replaced, each\n"
    "only once the new one is whole.\n"
    "\n"
    "Exit status: 0 when the file was converted and every file written; 1 when\n"
    "no name arrived, the input could not be opened or read, a file could not\n"
    "be created or written, or the input was not a WAV file or was stereo.\n"
    "\n"
    "  --help     show this text\n"
    "  --version  show the version\n";

// The experiment takes at most kSignalSize samples, and says so when it cuts.
std::uint32_t experiment_length(TextWriter& console, std::uint32_t dataSize) {
  if (dataSize <= kSignalSize) return dataSize;
  console.text(texts::kLabOverflow);
  return static_cast<std::uint32_t>(kSignalSize);
}

}  // namespace

int main(int argc, char** argv) {
  TextWriter console(stdout, "stdout", prepare_console_output());
  if (const auto status = handle_standard_options(argc, argv, "adpcmlab", kUsage, console)) {
    return *status;
  }

  clear_signals();
  const ConversionVariant lab{true, false, true, wave_buffer()};
  const ConvertResult conversion = convert_wav(console, stdin, lab);
  if (conversion_ends_program(conversion.outcome)) {
    console.flush();
    return 1;
  }
  const std::uint32_t sampleCount = experiment_length(console, conversion.dataSize);
  console.text(texts::kLabDone);

  // The experiment runs whatever the conversion's outcome, on what the
  // buffers hold; only a full conversion counts as success.
  const bool dumpsWritten = run_experiment(console, sampleCount);
  // A console that could not take the report fails the run too.
  const bool consoleWritten = console.flush();
  const bool succeeded = conversion.outcome == ConvertOutcome::Converted &&
                         conversion.filesWritten && dumpsWritten && consoleWritten;
  return succeeded ? 0 : 1;
}
