// wavtoh: converts <name>.wav into the C header wav_<name>.h.
#include <cstdio>

#include "conversion/convert_wav.h"
#include "textout/console.h"

int main() {
  TextWriter console(stdout, "stdout", console_encoding());
  const ConvertResult result = convert_wav(console, stdin);
  console.flush();
  const bool succeeded = result.outcome == ConvertOutcome::Converted && result.filesWritten;
  return succeeded ? 0 : 1;
}
