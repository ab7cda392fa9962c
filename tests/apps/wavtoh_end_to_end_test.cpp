// Runs the built wavtoh in a fresh folder with piped standard input and
// compares its console bytes, exit status and files byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/apps/expected_output.h"
#include "tests/support/test_support.h"

namespace {

using namespace testing_support;
using namespace expected;
namespace fs = std::filesystem;

const std::string kWavtoh = program_under_test("WAVTOH_EXE", WAVTOH_EXE);

RunResult run_wavtoh(const TempDir& dir, std::string_view input) {
  return run_program(kWavtoh, dir.path(), input);
}

std::size_t file_count(const TempDir& dir) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir.path()), {}));
}

TEST(WavtohEndToEnd, ConvertsACanonicalFile) {
  TempDir dir;
  write_file(dir / "abc.wav", pcm8_mono(std::string("\x00\x01\x7f\x80\xff\x10\x20\x30\x40\x50\x0a", 11)));
  const RunResult run = run_wavtoh(dir, "abc\n");
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.out, console_gbk(kPrompt + report_utf8(48) + report_utf8(48) + data_utf8(11)));
  EXPECT_EQ(read_file(dir / "wav_abc.h"),
            mono_comment_gbk(8000, 8) + array_head_gbk("wav_abc", 11, "0.001375") +
                "0x00,0x01,0x7f,0x80,0xff,0x10,0x20,0x30,0x40,0x50,\r\n\t0x0a,\r\n};\r\n");
}

TEST(WavtohEndToEnd, ArrayLayoutsForSmallSizes) {
  struct Case {
    std::string samples;
    std::string seconds;
    std::string body;  // from the array head's tab to the end of the file
  };
  const Case cases[] = {
      {"", "0.000000", "\r\n};\r\n"},
      {"\x05", "0.000125", "0x05,\r\n};\r\n"},
      {"0123456789", "0.001250",
       "0x30,0x31,0x32,0x33,0x34,0x35,0x36,0x37,0x38,0x39,\r\n\t\r\n};\r\n"},
      {std::string(20, '\xab'), "0.002500",
       "0xab,0xab,0xab,0xab,0xab,0xab,0xab,0xab,0xab,0xab,\r\n\t"
       "0xab,0xab,0xab,0xab,0xab,0xab,0xab,0xab,0xab,0xab,\r\n\t\r\n};\r\n"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    write_file(dir / "s.wav", pcm8_mono(c.samples));
    const RunResult run = run_wavtoh(dir, "s");
    SCOPED_TRACE(std::to_string(c.samples.size()) + " samples");
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(read_file(dir / "wav_s.h"),
              mono_comment_gbk(8000, 8) + array_head_gbk("wav_s", c.samples.size(), c.seconds) +
                  c.body);
  }
}

TEST(WavtohEndToEnd, DurationCountsBytesAt8kHzWithTheSinglePrecisionFactor) {
  // 0.000125 in single precision is 0.000125000005937181...: from about
  // 84000 bytes on, the sixth decimal can come out one above the exact value.
  struct Case {
    std::uint32_t bytes;
    std::uint32_t rate;
    std::string seconds;
  };
  const Case cases[] = {{8000, 8000, "1.000000"},
                        {8000, 44100, "1.000000"},
                        {84000, 8000, "10.500000"},
                        {84300, 8000, "10.537501"}};
  for (const auto& c : cases) {
    TempDir dir;
    write_file(dir / "d.wav", pcm8_mono(std::string(c.bytes, '\x80'), c.rate));
    const RunResult run = run_wavtoh(dir, "d");
    EXPECT_EQ(run.exitStatus, 0);
    const std::string header = read_file(dir / "wav_d.h");
    const std::string head = mono_comment_gbk(c.rate, 8) + array_head_gbk("wav_d", c.bytes, c.seconds);
    EXPECT_EQ(header.substr(0, head.size()), head) << c.bytes << " bytes";
  }
}

TEST(WavtohEndToEnd, FactFileReportsOnceAndSixteenBitsConvertByteByByte) {
  TempDir dir;
  write_file(dir / "f.wav", riff({chunk("fmt ", fmt_payload(1, 1, 16000, 16)),
                                  chunk("fact", le32(2)), chunk("data", "\x34\x12\xff\x7f")}));
  const RunResult run = run_wavtoh(dir, "f");
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.out, console_gbk(kPrompt + report_utf8(52, 16000, 16) + "fact\n" + data_utf8(4)));
  EXPECT_EQ(read_file(dir / "wav_f.h"), mono_comment_gbk(16000, 16) +
                                            array_head_gbk("wav_f", 4, "0.000500") +
                                            "0x34,0x12,0xff,0x7f,\r\n};\r\n");
}

TEST(WavtohEndToEnd, MetadataChunksNeverReachTheArray) {
  TempDir dir;
  write_file(dir / "m.wav", riff({chunk("JUNK", std::string(28, '\0')),
                                  chunk("fmt ", fmt_payload(1, 1, 8000, 8)),
                                  chunk("LIST", "INFOISFT\x0e\0\0\0Lavf59.27.100\0"),
                                  chunk("data", "\x81\x82\x83"), chunk("LIST", "INFOtail")}));
  const RunResult run = run_wavtoh(dir, "m");
  EXPECT_EQ(run.exitStatus, 0);
  const std::string header = read_file(dir / "wav_m.h");
  EXPECT_TRUE(header.ends_with(array_head_gbk("wav_m", 3, "0.000375") +
                               "0x81,0x82,0x83,\r\n};\r\n"));
}

TEST(WavtohEndToEnd, StereoFileGetsTheOpenCommentOnly) {
  TempDir dir;
  write_file(dir / "st.wav",
             riff({chunk("fmt ", fmt_payload(1, 2, 8000, 8)), chunk("data", "abcd")}));
  const RunResult run = run_wavtoh(dir, "st");
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, console_gbk(kPrompt + report_utf8(40, 8000, 8, 2) + report_utf8(40, 8000, 8, 2) +
                                 data_utf8(4) + "\a立体声!!"));
  EXPECT_EQ(read_file(dir / "wav_st.h"), iconv_gbk(crlf(comment_opening_utf8(8000) + "** 立体声\n")));
}

TEST(WavtohEndToEnd, NotWavLeavesAnEmptyHeaderFile) {
  TempDir dir;
  write_file(dir / "v.wav", riff({chunk("avih", "12345678")}, "AVI "));
  const RunResult run = run_wavtoh(dir, "v");
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, console_gbk(kPrompt + "不是WAV格式文件\n\a不是WAV文件"));
  EXPECT_EQ(read_file(dir / "wav_v.h"), "");
}

TEST(WavtohEndToEnd, IncompleteDataConvertsOnlyTheBytesPresent) {
  for (std::uint32_t claimed : {100u, 0xFFFFFFFFu}) {
    TempDir dir;
    write_file(dir / "cut.wav", riff({chunk("fmt ", fmt_payload(1, 1, 8000, 8)),
                                      chunk_claiming("data", claimed, "\x01\x02\x03\x04\x05")}));
    const RunResult run = run_wavtoh(dir, "cut");
    EXPECT_EQ(run.exitStatus, 0) << claimed;
    EXPECT_EQ(run.out, console_gbk(kPrompt + report_utf8(41) + report_utf8(41) +
                                   data_utf8(static_cast<std::int32_t>(claimed)) +
                                   "\a数据块不完整,实际数据大小(byte):5\n"));
    EXPECT_EQ(read_file(dir / "wav_cut.h"), mono_comment_gbk(8000, 8) +
                                                array_head_gbk("wav_cut", 5, "0.000625") +
                                                "0x01,0x02,0x03,0x04,0x05,\r\n};\r\n");
  }
}

TEST(WavtohEndToEnd, MissingInputCreatesNothing) {
  TempDir dir;
  const RunResult run = run_wavtoh(dir, "nothere\n");
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, console_gbk(kPrompt + "没有此文件\n"));
  EXPECT_EQ(file_count(dir), 0u);
}

TEST(WavtohEndToEnd, OutputThatCannotBeCreated) {
  TempDir dir;
  write_file(dir / "x.wav", pcm8_mono("ab"));
  fs::create_directory(dir / "wav_x.h");
  const RunResult run = run_wavtoh(dir, "x");
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, console_gbk(kPrompt + "建立文件失败\n"));
}

TEST(WavtohEndToEnd, WriteFailureIsReportedAndKeepsTheEarlierFile) {
  TempDir dir;
  write_file(dir / "x.wav", pcm8_mono(std::string(20000, 'a')));  // a 106 KB header file
  write_file(dir / "wav_x.h", "earlier");
  const RunResult run = run_program(kWavtoh, dir.path(), "x", "", "", 8192);
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, console_gbk(kPrompt + report_utf8(20036) + report_utf8(20036) +
                                 data_utf8(20000) + "\a写入文件失败:wav_x.h\n"));
  EXPECT_EQ(read_file(dir / "wav_x.h"), "earlier");
  EXPECT_EQ(file_count(dir), 2u);
}

TEST(WavtohEndToEnd, NoNameOnStandardInput) {
  for (std::string_view input : {"", " \n\t\r\n\v\f"}) {
    TempDir dir;
    const RunResult run = run_wavtoh(dir, input);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.out, console_gbk(kPrompt + "\a没有输入文件名\n"));
    EXPECT_EQ(file_count(dir), 0u);
  }
}

TEST(WavtohEndToEnd, NamesOfEveryKindGiveExactFilesAndACompilableIdentifier) {
  struct Case {
    std::string typed;  // what the user types, around the one word
    std::string base;
    std::string identifier;
  };
  const Case cases[] = {
      {"\n\n  \ta  trailing words\n", "a", "wav_a"},
      {"door.open", "door.open", "wav_door_open"},
      {"beep-1\n", "beep-1", "wav_beep_1"},
      {std::string(200, 'n'), std::string(200, 'n'), "wav_" + std::string(200, 'n')},
  };
  for (const auto& c : cases) {
    TempDir dir;
    write_file(dir / (c.base + ".wav"), pcm8_mono("\x42"));
    const RunResult run = run_wavtoh(dir, c.typed);
    SCOPED_TRACE(c.identifier);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(read_file(dir / ("wav_" + c.base + ".h")),
              mono_comment_gbk(8000, 8) + array_head_gbk(c.identifier, 1, "0.000125") +
                  "0x42,\r\n};\r\n");
    EXPECT_EQ(file_count(dir), 2u);
  }
}

TEST(WavtohEndToEnd, ChunksBeyondTwoGigabytesAreReached) {
  // A 3 GiB JUNK chunk (a sparse file: no disk space is used) puts the format
  // and data chunks past every 32-bit signed offset.
  TempDir dir;
  const std::uint32_t junk = 0xC0000000;
  const std::string tail = chunk("fmt ", fmt_payload(1, 1, 8000, 8)) + chunk("data", "\x11\x22\x33");
  const std::uint32_t riffSize = 4 + 8 + junk + static_cast<std::uint32_t>(tail.size());
  write_file(dir / "far.wav", "RIFF" + le32(riffSize) + "WAVE" + "JUNK" + le32(junk));
  fs::resize_file(dir / "far.wav", 20 + std::uintmax_t{junk});
  {
    std::ofstream out(dir / "far.wav", std::ios::binary | std::ios::app);
    out << tail;
  }
  const RunResult run = run_wavtoh(dir, "far");
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.out, console_gbk(kPrompt + report_utf8(riffSize) + report_utf8(riffSize) + data_utf8(3)));
  EXPECT_EQ(read_file(dir / "wav_far.h"), mono_comment_gbk(8000, 8) +
                                              array_head_gbk("wav_far", 3, "0.000375") +
                                              "0x11,0x22,0x33,\r\n};\r\n");
}

// File names are bytes on POSIX systems; on Windows they are GBK where the
// system code page is 936, as on a Chinese-locale Windows.
TEST(WavtohEndToEnd, GbkNameGivesExactFilesAndACompilableIdentifier) {
  const std::string gbkName = "\xC9\xF9\xD2\xF4";  // 声音 in GBK
  TempDir dir;
  write_file(dir / (gbkName + ".wav"), pcm8_mono("\x42"));
  const RunResult run = run_wavtoh(dir, gbkName + "\r\n");
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(read_file(dir / ("wav_" + gbkName + ".h")),
            mono_comment_gbk(8000, 8) + array_head_gbk("wav_____", 1, "0.000125") + "0x42,\r\n};\r\n");
}

TEST(WavtohEndToEnd, UTF8TerminalShowsTheTextsAsUTF8) {
  struct Case {
    const char* variable;
    std::string locale;
    bool utf8;
  };
  // A UTF-8 locale that is not installed still names a UTF-8 terminal.
  for (const Case& c : {Case{"LC_ALL", "C.UTF-8", true}, Case{"LC_ALL", "C", false},
                        Case{"LANG", "xx_XX.UTF-8", true}, Case{"LC_CTYPE", "xx_XX.utf8", true},
                        Case{"LANG", "xx_XX.GBK", false}}) {
    TempDir dir;
    write_file(dir / "a.wav", pcm8_mono("\x01"));
    const RunResult run = run_on_terminal(kWavtoh, dir.path(), "a", c.locale, c.variable);
    const std::string console =
        crlf(kPrompt + report_utf8(38) + report_utf8(38) + data_utf8(1));
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, c.utf8 ? console : iconv_gbk(console)) << c.locale;
    // The files do not follow the terminal.
    EXPECT_EQ(read_file(dir / "wav_a.h"),
              mono_comment_gbk(8000, 8) + array_head_gbk("wav_a", 1, "0.000125") + "0x01,\r\n};\r\n");
  }
}

TEST(WavtohEndToEnd, DemoSoundIsTheGeneratorsOutput) {
  TempDir dir;
  const std::string command = std::string(MAKE_DEMO_WAV_EXE) + " '" + (dir / "chime.wav").string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  EXPECT_EQ(read_file(dir / "chime.wav"), read_file(DEMO_WAV));
}

}  // namespace
