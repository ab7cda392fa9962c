// libFuzzer entry: arbitrary bytes as a WAV input read from memory, through
// the header walk, both variants of the header-file writers and the codec,
// with no file system in the way.
#include "fuzz/conversion_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  run_memory_conversion_harness(data, size);
  return 0;
}
