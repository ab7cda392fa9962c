#include <gtest/gtest.h>

#include "tests/support/test_support.h"
#include "textout/gbk.h"
#include "textout/texts.h"

namespace {

using testing_support::iconv_gbk;

TEST(TextsEncoding, EveryTextMatchesAnIndependentGbkEncoder) {
  for (std::string_view text : texts::kAll) {
    EXPECT_EQ(utf8_to_gbk(text), iconv_gbk(text)) << text;
  }
}

TEST(TextsEncoding, NoGbkTrailByteIsABackslash) {
  // A 0x5C trail byte at the end of a // comment would splice the next line.
  for (std::string_view text : texts::kAll) {
    const std::string gbk = utf8_to_gbk(text);
    for (std::size_t i = 0; i + 1 < gbk.size(); ++i) {
      if (static_cast<unsigned char>(gbk[i]) >= 0x81) {
        EXPECT_NE(gbk[i + 1], '\\') << text;
        ++i;
      }
    }
  }
}

TEST(TextsEncoding, AsciiPassesAndUnknownCharactersAreMarked) {
  EXPECT_EQ(utf8_to_gbk("Format Chunk Size:%d\n\a\t"), "Format Chunk Size:%d\n\a\t");
  EXPECT_EQ(utf8_to_gbk("é"), "?");
  EXPECT_EQ(utf8_to_gbk("\xE4"), "?");  // cut-off sequence
}

}  // namespace
