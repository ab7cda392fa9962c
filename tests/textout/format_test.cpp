#include "textout/format.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

struct FormatCase {
  std::string expected;
  std::string actual;
};

TEST(FormatText, DirectivesAsTheToolsUseThem) {
  const FormatCase cases[] = {
      {"size:36", format_text("size:%d", {std::uint32_t{36}})},
      {"-1", format_text("%d", {std::uint32_t{0xFFFFFFFF}})},
      {"-2147483648", format_text("%d", {std::uint32_t{0x80000000}})},
      {"2147483647", format_text("%d", {std::uint32_t{0x7FFFFFFF}})},
      {"0001", format_text("%04x", {std::uint16_t{1}})},
      {"fffe", format_text("%04x", {std::uint16_t{0xFFFE}})},
      {"0x0a", format_text("0x%02x", {std::uint32_t{10}})},
      {"data", format_text("%c%c%c%c", {'d', 'a', 't', 'a'})},
      {"wav_a.h", format_text("%s", {std::string_view("wav_a.h")})},
      {"1.000000", format_text("%3f", {1.0})},
      {"0.000000", format_text("%3f", {0.0})},
      {"0.500000", format_text("%3f", {0.5})},
      {"12.000000", format_text("%3f", {12.0})},
      {"0.000124", format_text("%3f", {0.0001244})},
      {"50%", format_text("50%%", {})},
  };
  for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected);
}

}  // namespace
