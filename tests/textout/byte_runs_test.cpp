#include "textout/byte_runs.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/test_support.h"

namespace {

using namespace testing_support;

// The rule of each layout written out plainly, one printf per entry.
std::string by_the_rule(const ByteRunLayout& layout, const std::vector<std::uint8_t>& bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char entry[8];
    std::snprintf(entry, sizeof entry, layout.hex ? "0x%02x" : "%d", bytes[i]);
    const bool last = i + 1 == bytes.size();
    const bool separator = layout.separatorAfterLast || !last;
    if (layout.separatorFirst) out += layout.separator;
    out += entry;
    if (!layout.separatorFirst && separator) out += layout.separator;
    if (layout.perLine != 0 && (i + 1) % layout.perLine == 0) out += layout.lineBreak;
  }
  return out;
}

std::string written_in_pieces(const ByteRunLayout& layout, const std::vector<std::uint8_t>& bytes,
                              std::size_t piece) {
  return capture_console(Encoding::Gbk, [&](TextWriter& out) {
    ByteRun run{out, layout, bytes.size()};
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
      write_byte_run(run, bytes.data() + at, std::min(piece, bytes.size() - at));
    }
  });
}

TEST(ByteRuns, EveryLayoutInPiecesOfAnySizeFollowsItsRule) {
  const ByteRunLayout* layouts[] = {&kArrayEntries, &kArrayEntriesLastBare, &kHexListEntries,
                                    &kPlotValues, &kSamplePlotValues};
  for (std::size_t size : {0u, 1u, 9u, 10u, 11u, 20u, 1234u, 100000u}) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 37 + i / 256);
    for (const ByteRunLayout* layout : layouts) {
      const std::string expected = by_the_rule(*layout, bytes);
      for (std::size_t piece : {std::size_t{1}, std::size_t{3}, std::size_t{10}, std::size_t{65536},
                                std::max<std::size_t>(size, 1)}) {
        SCOPED_TRACE(std::to_string(size) + " bytes in pieces of " + std::to_string(piece));
        EXPECT_EQ(written_in_pieces(*layout, bytes, piece), expected);
      }
    }
  }
}

}  // namespace
