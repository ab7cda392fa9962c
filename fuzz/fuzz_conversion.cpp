// libFuzzer entry: arbitrary bytes as the WAV input of both conversions and
// the codec. Runs in a private temporary folder.
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "fuzz/conversion_harness.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::string folder = (std::filesystem::temp_directory_path() / "wavtoh-fuzz-XXXXXX").string();
  if (mkdtemp(folder.data()) == nullptr || chdir(folder.c_str()) != 0) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  run_conversion_harness(data, size);
  return 0;
}
