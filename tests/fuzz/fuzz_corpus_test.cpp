// Replays the fuzz corpus and every input that once broke the tools through
// the same harnesses the fuzzers drive, so each stays fixed in ordinary builds.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "fuzz/conversion_harness.h"
#include "tests/support/test_support.h"

namespace {

using namespace testing_support;
namespace fs = std::filesystem;

TEST(FuzzCorpus, EveryInputConvertsWithinItsBounds) {
  std::vector<fs::path> inputs;
  std::stringstream dirs(FUZZ_CORPUS_DIRS);
  for (std::string dir; std::getline(dirs, dir, ':');) {
    for (const auto& entry : fs::directory_iterator(dir)) {
      if (entry.is_regular_file() && entry.path().filename() != ".gitkeep") inputs.push_back(entry.path());
    }
  }
  ASSERT_GE(inputs.size(), 10u);
  TempDir work;
  const fs::path before = fs::current_path();
  fs::current_path(work.path());
  for (const auto& input : inputs) {
    SCOPED_TRACE(input.string());
    const std::string bytes = read_file(input);
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    run_conversion_harness(data, bytes.size());
    run_memory_conversion_harness(data, bytes.size());
  }
  fs::current_path(before);
}

}  // namespace
