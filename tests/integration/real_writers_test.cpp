// WAV files made at test time by independent writers (sox, ffmpeg, espeak-ng,
// libsndfile, Python's wave module) must convert to exactly the samples the
// writers' own tools extract, with the writers' real header fields reported.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/integration/external_tools.h"
#include "tests/support/test_support.h"

namespace {

using namespace testing_support;
using external_tools::array_bytes;
using external_tools::quoted;
using external_tools::shell;

const std::string kWavtoh = program_under_test("WAVTOH_EXE", WAVTOH_EXE);

struct Writer {
  std::string name;     // also the base name typed at the prompt
  std::string tools;    // the programs the command runs, space-separated
  std::string command;  // writes OUT (the file) in the test folder
  std::string formatTag;
  bool sizesLeftOpen = false;  // RF64: the 32-bit sizes read 0xFFFFFFFF
};

void PrintTo(const Writer& w, std::ostream* os) { *os << w.name; }

// A short rising tone, so that every sample differs from its neighbours.
const std::string kTone = "synth 0.3 sine 300:2500 vol 0.8";
const std::string kFfTone = "-f lavfi -i sine=frequency=440:duration=0.3";

const Writer kWriters[] = {
    {"sox_u8", "sox", "sox -n -r 8000 -c 1 -b 8 -e unsigned-integer OUT " + kTone, "0001"},
    {"sox_s16_22k", "sox", "sox -n -r 22050 -c 1 -b 16 OUT " + kTone, "0001"},
    {"sox_s24_ext", "sox", "sox -n -r 8000 -c 1 -b 24 OUT " + kTone, "fffe"},
    {"ffmpeg_u8_list", "ffmpeg",
     "ffmpeg -loglevel error " + kFfTone + " -ar 8000 -ac 1 -c:a pcm_u8 OUT", "0001"},
    {"ffmpeg_u8_bext", "ffmpeg",
     "ffmpeg -loglevel error " + kFfTone + " -ar 8000 -ac 1 -c:a pcm_u8 -write_bext 1 OUT", "0001"},
    {"ffmpeg_rf64", "ffmpeg",
     "ffmpeg -loglevel error " + kFfTone + " -ar 8000 -ac 1 -c:a pcm_u8 -rf64 always OUT", "0001",
     true},
    {"espeak_speech", "espeak-ng", "espeak-ng -w OUT 'hello from the microcontroller'",
     "0001"},
    {"espeak_u8_8k", "espeak-ng sox",
     "espeak-ng --stdout 'one two three' | sox -t wav - -r 8000 -c 1 -b 8 -e unsigned-integer OUT",
     "0001"},
    {"sndfile_u8", "sndfile-convert",
     "sox -n -r 8000 -c 1 -b 16 tmp16.wav " + kTone + " && sndfile-convert -pcmu8 tmp16.wav OUT",
     "0001"},
    {"python_wave_u8", "python3",
     "python3 -c \"import wave; w = wave.open('OUT', 'wb'); w.setnchannels(1); "
     "w.setsampwidth(1); w.setframerate(8000); w.writeframes(bytes((i * 7) % 256 for i in "
     "range(3001))); w.close()\"",
     "0001"},
};

std::string with_output(std::string command, const std::string& out) {
  for (std::size_t at; (at = command.find("OUT")) != std::string::npos;) command.replace(at, 3, out);
  return command;
}

std::string soxi(const TempDir& dir, const std::string& file, const std::string& flag) {
  std::string value = shell("soxi " + flag + " " + quoted(dir / file));
  while (!value.empty() && (value.back() == '\n' || value.back() == '\r')) value.pop_back();
  return value;
}

class RealWriters : public testing::TestWithParam<Writer> {};

TEST_P(RealWriters, ConvertsToTheWritersOwnSamples) {
  const Writer& w = GetParam();
  std::stringstream tools(w.tools + " sox");
  for (std::string tool; tools >> tool;) {
    REQUIRE_TOOL(tool, tool == "sndfile-convert" ? "sndfile-programs" : tool);
  }
  TempDir dir;
  const std::string file = w.name + ".wav";
  shell("cd " + quoted(dir.path()) + " && " + with_output(w.command, file));
  const std::string samples = shell("sox " + quoted(dir / file) + " -t raw -");
  ASSERT_GT(samples.size(), 100u);

  const RunResult run = run_program(kWavtoh, dir.path(), w.name);
  EXPECT_EQ(run.exitStatus, 0);
  const std::string header = read_file(dir / ("wav_" + w.name + ".h"));
  EXPECT_EQ(array_bytes(header), samples);

  // The report shows the writer's own header fields, as soxi reads them.
  const std::string rate = soxi(dir, file, "-r");
  const std::string bits = soxi(dir, file, "-p");  // bits per sample as stored
  const std::string size = std::to_string(samples.size());
  std::vector<std::string> lines = {"编码方式:" + w.formatTag, "声道数:0001",
                                    "采样频率(sps):" + rate, "每个采样的bits:" + bits};
  if (w.sizesLeftOpen) {
    lines.push_back("采样数据大小(byte):-1");
    lines.push_back("\a数据块不完整,实际数据大小(byte):" + size);
  } else {
    lines.push_back("采样数据大小(byte):" + size);
  }
  for (const std::string& line : lines) {
    EXPECT_NE(run.out.find(iconv_gbk(line) + "\r\n"), std::string::npos) << line;
  }
  EXPECT_NE(header.find(iconv_gbk("** 采样频率:" + rate + " sps\r\n")), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Writers, RealWriters, testing::ValuesIn(kWriters),
                         [](const testing::TestParamInfo<Writer>& info) { return info.param.name; });

TEST(RealWriters, StereoFromSoxIsRefused) {
  REQUIRE_TOOL("sox", "sox");
  TempDir dir;
  shell("sox -n -r 8000 -c 2 -b 8 -e unsigned-integer " + quoted(dir / "st.wav") + " " + kTone);
  const RunResult run = run_program(kWavtoh, dir.path(), "st");
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_TRUE(run.out.ends_with(iconv_gbk("\a立体声!!")));
  EXPECT_NE(run.out.find(iconv_gbk("声道数:0002")), std::string::npos);
}

}  // namespace
