#include "textout/text_writer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/test_support.h"

namespace {

using testing_support::read_file;
using testing_support::TempDir;

TEST(TextWriter, WritesLineFeedsAsCrLfAndTextsAsGbk) {
  TempDir dir;
  {
    TextWriter out((dir / "a.txt").string());
    ASSERT_TRUE(out.is_open());
    out.text("完成!!\n");
    out.print("%s\t%d\n", {std::string_view("x\ny"), std::uint32_t{7}});
    out.raw("\n");
    EXPECT_TRUE(out.close());
  }
  // 完 = CD EA, 成 = B3 C9 in GBK; raw() writes its bytes unchanged.
  EXPECT_EQ(read_file(dir / "a.txt"), "\xCD\xEA\xB3\xC9!!\r\nx\r\ny\t7\r\n\n");
}

TEST(TextWriter, LeavesTextsUtf8ForAUtf8Console) {
  TempDir dir;
  std::FILE* f = std::fopen((dir / "c.txt").c_str(), "wb");
  ASSERT_NE(f, nullptr);
  {
    TextWriter console(f, "console", Encoding::Utf8);
    console.text("完成\n");
    EXPECT_TRUE(console.close());
  }
  std::fclose(f);
  EXPECT_EQ(read_file(dir / "c.txt"), "完成\r\n");
}

TEST(TextWriter, EmptiesAnExistingFile) {
  TempDir dir;
  testing_support::write_file(dir / "old.txt", "old contents");
  TextWriter out((dir / "old.txt").string());
  out.raw("new");
  ASSERT_TRUE(out.close());
  EXPECT_EQ(read_file(dir / "old.txt"), "new");
}

TEST(TextWriter, ReportsAFailedWriteAtClose) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  std::FILE* full = std::fopen("/dev/full", "wb");
  ASSERT_NE(full, nullptr);
  {
    TextWriter out(full, "/dev/full", Encoding::Gbk);
    out.raw("a few bytes that stay in the buffer until close");
    EXPECT_FALSE(out.close());
  }
  std::fclose(full);
}

TEST(TextWriter, ReportsAFailedWriteOfALargeOutput) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  std::FILE* full = std::fopen("/dev/full", "wb");
  ASSERT_NE(full, nullptr);
  {
    TextWriter out(full, "/dev/full", Encoding::Gbk);
    const std::string block(TextWriter::kBufferSize / 3, 'x');
    for (int i = 0; i < 10; ++i) out.raw(block);
    EXPECT_FALSE(out.close());
  }
  std::fclose(full);
}

TEST(TextWriter, CannotCreateAFileInAMissingFolder) {
  TempDir dir;
  TextWriter out((dir / "missing" / "x.txt").string());
  EXPECT_FALSE(out.is_open());
  EXPECT_FALSE(out.close());
}

}  // namespace
