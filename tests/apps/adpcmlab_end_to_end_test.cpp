// Runs the built adpcmlab in a fresh folder with piped standard input and
// compares its console bytes, exit status and all ten output files.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "tests/apps/expected_output.h"
#include "tests/support/test_support.h"

namespace {

using namespace testing_support;
using namespace expected;
namespace fs = std::filesystem;

const std::string kAdpcmlab = program_under_test("ADPCMLAB_EXE", ADPCMLAB_EXE);

using Files = std::map<std::string, std::string>;

RunResult run_adpcmlab(const TempDir& dir, std::string_view input) {
  return run_program(kAdpcmlab, dir.path(), input);
}

// Every file in the folder but the input.
Files outputs(const TempDir& dir, const std::string& input) {
  Files files;
  for (const auto& entry : fs::directory_iterator(dir.path())) {
    const std::string name = entry.path().filename().string();
    if (name != input) files[name] = read_file(entry.path());
  }
  return files;
}

std::string plot(std::string_view bound, std::string_view values) {
  return "t=0:1:" + std::string(bound) + ";\r\ny=[" + std::string(values) + "];\r\nplot(t,y,'r');";
}

// Dumps of an experiment that ran on `count` zero samples (after a
// refusal, or a stereo file whose samples were never read).
Files zero_dumps(int count) {
  std::string zeros;
  std::string codes;
  std::string zeroValues;
  std::string codeValues;
  for (int i = 0; i < count; ++i) {
    zeros += "0x00,";
    zeroValues += "0 ";
    if (i % 2 == 1) {
      codes += "0x11,";  // zero samples code as 1, two to a byte
      codeValues += "17 ";
    }
  }
  const std::string bound = std::to_string(count - 1);
  const std::string codeBound = std::to_string(count / 2 - 1);
  return {{"wave.txt", zeros},           {"adpcm.txt", codes},
          {"pcm.txt", zeros},            {"pred.txt", zeros},
          {"wav.m", plot(bound, zeroValues)}, {"adpcm.m", plot(codeBound, codeValues)},
          {"pcm.m", plot(bound, zeroValues)}, {"pred.m", plot(bound, zeroValues)}};
}

const std::string kRising = {0, 4, 10, 20, 40, 70, 90, 100, 99, 101, 90};

// The codes, reconstruction and decoded signal of kRising, worked out by
// hand (see the codec's tests for the steps). The odd run's last sample has
// no stored code: the decoder reads code 0 from the cleared byte after the
// codes and moves on from 103 by the eighth of step 16.
struct RisingRun {
  std::string name;
  std::size_t samples;
  Files files;
};

const RisingRun kRisingRuns[] = {
    {"r", 11,
     {{"wav_r.h", "0x00,0x04,0x0a,0x14,0x28,0x46,0x5a,0x64,0x63,0x65,\r\n\t0x5a\r\n};\r\n"},
      {"mr.m", plot("10", " 0 4 10 20 40 70 90 100 99 101 90")},
      {"wave.txt", "0x00,0x04,0x0a,0x14,0x28,0x46,0x5a,0x64,0x63,0x65,\r\n0x5a,"},
      {"adpcm.txt", "0x17,0x12,0x63,0x21,0x00,"},
      {"pcm.txt", "0x00,0x03,0x09,0x13,0x27,0x46,0x5a,0x63,0x65,0x67,\r\n0x69,"},
      {"pred.txt", "0x00,0x03,0x09,0x13,0x27,0x46,0x5a,0x63,0x65,0x67,\r\n0x59,"},
      {"wav.m", plot("10", "0 4 10 20 40 70 90 100 99 101 90 ")},
      {"adpcm.m", plot("4", "23 18 99 33 0 ")},
      {"pcm.m", plot("10", "0 3 9 19 39 70 90 99 101 103 105 ")},
      {"pred.m", plot("10", "0 3 9 19 39 70 90 99 101 103 89 ")}}},
    {"t", 10,
     {{"wav_t.h", "0x00,0x04,0x0a,0x14,0x28,0x46,0x5a,0x64,0x63,0x65\r\n\t\r\n};\r\n"},
      {"mt.m", plot("9", " 0 4 10 20 40 70 90 100 99 101")},
      {"wave.txt", "0x00,0x04,0x0a,0x14,0x28,0x46,0x5a,0x64,0x63,0x65,\r\n"},
      {"adpcm.txt", "0x17,0x12,0x63,0x21,0x00,"},
      {"pcm.txt", "0x00,0x03,0x09,0x13,0x27,0x46,0x5a,0x63,0x65,0x67,\r\n"},
      {"pred.txt", "0x00,0x03,0x09,0x13,0x27,0x46,0x5a,0x63,0x65,0x67,\r\n"},
      {"wav.m", plot("9", "0 4 10 20 40 70 90 100 99 101 ")},
      {"adpcm.m", plot("4", "23 18 99 33 0 ")},
      {"pcm.m", plot("9", "0 3 9 19 39 70 90 99 101 103 ")},
      {"pred.m", plot("9", "0 3 9 19 39 70 90 99 101 103 ")}}},
};

TEST(AdpcmlabEndToEnd, OddAndEvenRunsOfRisingSamples) {
  for (const RisingRun& r : kRisingRuns) {
    SCOPED_TRACE(std::to_string(r.samples) + " samples");
    TempDir dir;
    write_file(dir / (r.name + ".wav"), pcm8_mono(kRising.substr(0, r.samples)));
    const RunResult run = run_adpcmlab(dir, r.name + "\n");
    EXPECT_EQ(run.exitStatus, 0);
    const auto riffSize = static_cast<std::uint32_t>(36 + r.samples + r.samples % 2);
    EXPECT_EQ(run.out, console_gbk(kPrompt + report_utf8(riffSize) + report_utf8(riffSize) +
                                   data_utf8(static_cast<std::int64_t>(r.samples)) +
                                   "\a\n完成!!\nOK!\n"));
    // The header file: comment block, size constant and array head before
    // the entries above.
    Files expectedFiles = r.files;
    const std::string header = "wav_" + r.name + ".h";
    const std::string seconds = r.samples == 11 ? "0.001375" : "0.001250";
    expectedFiles[header] = mono_comment_gbk(8000, 8) + "\r\n#define size_wav_" + r.name + "   " +
                            std::to_string(r.samples) + "\r\n" +
                            array_head_gbk("wav_" + r.name, static_cast<std::int64_t>(r.samples),
                                           seconds) +
                            expectedFiles[header];
    EXPECT_EQ(outputs(dir, r.name + ".wav"), expectedFiles);
  }
}

TEST(AdpcmlabEndToEnd, NoSamples) {
  TempDir dir;
  write_file(dir / "z.wav", pcm8_mono(""));
  const RunResult run = run_adpcmlab(dir, "z");
  EXPECT_EQ(run.exitStatus, 0);
  Files expectedFiles = zero_dumps(0);
  expectedFiles["wav_z.h"] = mono_comment_gbk(8000, 8) + "\r\n#define size_wav_z   0\r\n" +
                             array_head_gbk("wav_z", 0, "0.000000") + "\r\n};\r\n";
  expectedFiles["mz.m"] = plot("-1", "");
  EXPECT_EQ(outputs(dir, "z.wav"), expectedFiles);
}

TEST(AdpcmlabEndToEnd, StereoRunsTheExperimentOnZeros) {
  TempDir dir;
  write_file(dir / "st.wav", riff({chunk("fmt ", fmt_payload(1, 2, 8000, 8)), chunk("data", "abcd")}));
  const RunResult run = run_adpcmlab(dir, "st");
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, console_gbk(kPrompt + report_utf8(40, 8000, 8, 2) +
                                 report_utf8(40, 8000, 8, 2) + data_utf8(4) +
                                 "\a立体声!!\a\n完成!!\nOK!\n"));
  Files expectedFiles = zero_dumps(4);
  expectedFiles["wav_st.h"] = iconv_gbk(crlf(comment_opening_utf8(8000) + "** 立体声\n"));
  expectedFiles["mst.m"] = "";
  EXPECT_EQ(outputs(dir, "st.wav"), expectedFiles);
}

TEST(AdpcmlabEndToEnd, NotWavRunsTheExperimentOnNothing) {
  TempDir dir;
  write_file(dir / "v.wav", "RIFF\x04\0\0\0AVI ");
  const RunResult run = run_adpcmlab(dir, "v");
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, console_gbk(kPrompt + "不是WAV格式文件\n\a不是WAV文件\a\n完成!!\nOK!\n"));
  Files expectedFiles = zero_dumps(0);
  expectedFiles["wav_v.h"] = "";
  expectedFiles["mv.m"] = "";
  EXPECT_EQ(outputs(dir, "v.wav"), expectedFiles);
}

TEST(AdpcmlabEndToEnd, InputsOverTheBuffersAreCutForTheExperimentOnly) {
  TempDir dir;
  std::string samples(70000, '\0');
  for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<char>(i % 251);
  write_file(dir / "big.wav", pcm8_mono(samples));
  const RunResult run = run_adpcmlab(dir, "big");
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_TRUE(run.out.ends_with(
      console_gbk(data_utf8(70000) + "\a采样数据超过65535字节,实验只取前65535字节\n\a\n完成!!\nOK!\n")));

  const Files files = outputs(dir, "big.wav");
  const std::string& header = files.at("wav_big.h");
  EXPECT_NE(header.find("#define size_wav_big   70000\r\n"), std::string::npos);
  // All 70000 samples reach the header file and the sample plot: 7000 lines
  // of ten, the last entry (69999 % 251 = 221) without a comma.
  EXPECT_TRUE(header.ends_with(",0xdd\r\n\t\r\n};\r\n"));
  const std::string array = header.substr(header.find("[]={"));
  EXPECT_EQ(std::count(array.begin(), array.end(), ','), 69999);
  EXPECT_TRUE(files.at("mbig.m").starts_with("t=0:1:69999;\r\ny=[ 0 1 2 "));
  EXPECT_TRUE(files.at("mbig.m").ends_with(" 219 220 221];\r\nplot(t,y,'r');"));
  // The experiment takes the first 65535: the last line holds the five
  // entries 65530..65534, that is 19..23 modulo 251.
  const auto entries = [](const std::string& list) { return std::count(list.begin(), list.end(), ','); };
  EXPECT_EQ(entries(files.at("wave.txt")), 65535);
  EXPECT_TRUE(files.at("wave.txt").ends_with("\r\n0x13,0x14,0x15,0x16,0x17,"));
  EXPECT_EQ(entries(files.at("pcm.txt")), 65535);
  EXPECT_EQ(entries(files.at("pred.txt")), 65535);
  EXPECT_EQ(entries(files.at("adpcm.txt")), 32767);
  EXPECT_TRUE(files.at("wav.m").starts_with("t=0:1:65534;\r\ny=[0 1 2 "));
  EXPECT_TRUE(files.at("adpcm.m").starts_with("t=0:1:32766;\r\n"));
}

TEST(AdpcmlabEndToEnd, SecondRunOverwritesEveryFile) {
  TempDir dir;
  write_file(dir / "r.wav", pcm8_mono(kRising));
  ASSERT_EQ(run_adpcmlab(dir, "r").exitStatus, 0);
  const Files first = outputs(dir, "r.wav");
  ASSERT_EQ(first.size(), 10u);
  const RunResult second = run_adpcmlab(dir, "r");
  EXPECT_EQ(second.exitStatus, 0);
  EXPECT_EQ(outputs(dir, "r.wav"), first);
}

TEST(AdpcmlabEndToEnd, MissingInputEndsBeforeTheExperiment) {
  TempDir dir;
  const RunResult run = run_adpcmlab(dir, "gone");
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, console_gbk(kPrompt + "没有此文件\n"));
  EXPECT_TRUE(outputs(dir, "").empty());
}

TEST(AdpcmlabEndToEnd, PlotScriptThatCannotBeCreatedEndsTheRun) {
  TempDir dir;
  write_file(dir / "p.wav", pcm8_mono("ab"));
  fs::create_directory(dir / "mp.m");
  const RunResult run = run_adpcmlab(dir, "p");
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, console_gbk(kPrompt + "建立文件失败\n"));
}

TEST(AdpcmlabEndToEnd, DumpThatCannotBeCreatedIsSkipped) {
  TempDir dir;
  write_file(dir / "r.wav", pcm8_mono(kRising));
  fs::create_directory(dir / "pcm.txt");
  fs::create_directory(dir / "adpcm.m");
  const RunResult run = run_adpcmlab(dir, "r");
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_TRUE(run.out.ends_with(console_gbk("OK!\n创建文件失败!\n创建文件m失败!\n")));
  const Files files = outputs(dir, "r.wav");
  EXPECT_EQ(files.at("pcm.m"), plot("10", "0 3 9 19 39 70 90 99 101 103 105 "));
}

}  // namespace
