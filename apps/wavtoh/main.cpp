// wavtoh: converts <name>.wav into the C header wav_<name>.h.
#include <cstdio>

#include "apps/common/standard_options.h"
#include "conversion/convert_wav.h"
#include "textout/console.h"

namespace {

constexpr std::string_view kUsage =
    "Usage: wavtoh\n"
    "\n"
    "Converts a WAV sound into C source for a microcontroller's program memory.\n"
    "Takes no arguments: at the prompt, type the path of a WAV file without\n"
    ".wav, such as sounds/door. For sounds/door.wav it writes wav_door.h into\n"
    "the current folder, holding the samples as 'flash unsigned char\n"
    "wav_door[]' behind a comment block in Chinese (GBK). An existing file is\n"
    "replaced only once the new one is whole.\n"
    "\n"
    "Exit status: 0 when the file was converted and written; 1 when no name\n"
    "arrived, the input could not be opened or read, an output could not be\n"
    "created or written, or the input was not a WAV file or was stereo.\n"
    "\n"
    "  --help     show this text\n"
    "  --version  show the version\n";

}  // namespace

int main(int argc, char** argv) {
  TextWriter console(stdout, "stdout", prepare_console_output());
  if (const auto status = handle_standard_options(argc, argv, "wavtoh", kUsage, console)) {
    return *status;
  }

  const ConvertResult result = convert_wav(console, stdin, kPlainVariant);
  // A console that could not take the report fails the run too.
  const bool consoleWritten = console.flush();
  const bool succeeded = result.outcome == ConvertOutcome::Converted && result.filesWritten;
  return succeeded && consoleWritten ? 0 : 1;
}
