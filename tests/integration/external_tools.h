#pragma once

#include <filesystem>
#include <string>

// Helpers for tests that drive independent programs from Debian's packages.
namespace external_tools {

// True when `tool` is on the PATH. In CI (CI=true) a missing tool fails the
// test; elsewhere the caller skips with a message naming the package.
bool available(const std::string& tool);

// Runs a shell command; returns its standard output, or throws with the
// command and its exit status when it fails.
std::string shell(const std::string& command);

// Quotes a path for the shell.
std::string quoted(const std::filesystem::path& path);

// The bytes of the `flash unsigned char` array in a generated header file,
// read back from its "0x.." entries.
std::string array_bytes(const std::string& header);

}  // namespace external_tools

// Skips (or, in CI, fails) the current test when a tool is absent.
#define REQUIRE_TOOL(tool, package)                                                  \
  do {                                                                               \
    if (!external_tools::available(tool)) {                                          \
      if (std::getenv("CI") != nullptr) FAIL() << (tool) << " is missing in CI";     \
      GTEST_SKIP() << "SKIP: " << (tool) << " not installed (apt-get install "        \
                   << (package) << ")";                                              \
    }                                                                                \
  } while (false)
