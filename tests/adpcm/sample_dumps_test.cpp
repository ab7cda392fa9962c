#include "adpcm/sample_dumps.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/test_support.h"

namespace {

using namespace testing_support;

struct Dumped {
  bool written;
  std::string hex;
  std::string plot;
  std::string console;
};

Dumped dump(const std::vector<std::uint8_t>& bytes) {
  TempDir dir;
  Dumped d{};
  d.console = capture_console(Encoding::Gbk, [&](TextWriter& console) {
    d.written = write_hex_list(console, bytes, (dir / "x.txt").string()) &&
                write_plot_script(console, bytes, (dir / "x.m").string());
  });
  d.hex = read_file(dir / "x.txt");
  d.plot = read_file(dir / "x.m");
  return d;
}

TEST(SampleDumps, Layouts) {
  struct Case {
    std::vector<std::uint8_t> bytes;
    std::string hex;
    std::string plot;
  };
  const Case cases[] = {
      {{}, "", "t=0:1:-1;\r\ny=[];\r\nplot(t,y,'r');"},
      {{255}, "0xff,", "t=0:1:0;\r\ny=[255 ];\r\nplot(t,y,'r');"},
      {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
       "0x00,0x01,0x02,0x03,0x04,0x05,0x06,0x07,0x08,0x09,\r\n",
       "t=0:1:9;\r\ny=[0 1 2 3 4 5 6 7 8 9 ];\r\nplot(t,y,'r');"},
      {{10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 255},
       "0x0a,0x14,0x1e,0x28,0x32,0x3c,0x46,0x50,0x5a,0x64,\r\n0xff,",
       "t=0:1:10;\r\ny=[10 20 30 40 50 60 70 80 90 100 255 ];\r\nplot(t,y,'r');"},
  };
  for (const Case& c : cases) {
    const Dumped d = dump(c.bytes);
    EXPECT_TRUE(d.written);
    EXPECT_EQ(d.hex, c.hex);
    EXPECT_EQ(d.plot, c.plot);
    EXPECT_EQ(d.console, "");
  }
}

TEST(SampleDumps, LargeBufferKeepsTheLayout) {
  std::vector<std::uint8_t> bytes(65535);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  const Dumped d = dump(bytes);
  EXPECT_EQ(d.hex.size(), 65535u * 5 + 6553u * 2);
  // The last line holds the five entries 65530..65534, times 7 modulo 256.
  EXPECT_TRUE(d.hex.ends_with(",\r\n0xd6,0xdd,0xe4,0xeb,0xf2,"));
  EXPECT_TRUE(d.plot.starts_with("t=0:1:65534;\r\ny=[0 7 14 21 "));
}

TEST(SampleDumps, FilesThatCannotBeCreatedAreReportedAndSkipped) {
  TempDir dir;
  const std::uint8_t byte = 1;
  const std::string console = capture_console(Encoding::Gbk, [&](TextWriter& out) {
    EXPECT_FALSE(write_hex_list(out, {&byte, 1}, (dir / "no" / "x.txt").string()));
    EXPECT_FALSE(write_plot_script(out, {&byte, 1}, (dir / "no" / "x.m").string()));
  });
  EXPECT_EQ(console, iconv_gbk(crlf("创建文件失败!\n创建文件m失败!\n")));
}

TEST(SampleDumps, WriteFailureIsReportedAndKeepsTheEarlierFile) {
  TempDir dir;
  write_file(dir / "x.txt", "earlier");
  const std::vector<std::uint8_t> bytes(3000, 0x5a);  // 15 000 bytes of hex list
  const int status = with_file_size_limit(4096, [&] {
    const std::string console = capture_console(Encoding::Gbk, [&](TextWriter& out) {
      if (write_hex_list(out, bytes, (dir / "x.txt").string())) std::abort();
    });
    write_file(dir / "console", console);
    return 0;
  });
  ASSERT_EQ(status, 0);
  EXPECT_EQ(read_file(dir / "console"),
            iconv_gbk(crlf("\a写入文件失败:" + (dir / "x.txt").string() + "\n")));
  EXPECT_EQ(read_file(dir / "x.txt"), "earlier");
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 2u) << "a temporary file was left behind";
}

}  // namespace
