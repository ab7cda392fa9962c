// Bad input and failing outputs: every case ends with its message and a
// non-zero status, and no input makes the tools write more than a fixed
// multiple of its size.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>

#include "tests/apps/expected_output.h"
#include "tests/support/test_support.h"

namespace {

using namespace testing_support;
using namespace expected;
namespace fs = std::filesystem;

const std::string kWavtoh = program_under_test("WAVTOH_EXE", WAVTOH_EXE);
const std::string kAdpcmlab = program_under_test("ADPCMLAB_EXE", ADPCMLAB_EXE);

std::uintmax_t bytes_written(const TempDir& dir, const std::string& input) {
  std::uintmax_t total = 0;
  for (const auto& entry : fs::directory_iterator(dir.path())) {
    if (entry.path().filename() != input) total += entry.file_size();
  }
  return total;
}

TEST(Robustness, HugeClaimedSizesAtEveryPositionStayBounded) {
  const std::string samples(40, '\x90');
  const std::string base = riff({chunk("JUNK", "abc"), chunk("fmt ", fmt_payload(1, 1, 8000, 8, "\0\0")),
                                 chunk("fact", le32(40)), chunk("LIST", "INFOISFT"),
                                 chunk("data", samples)});
  for (std::size_t at = 0; at + 4 <= base.size(); ++at) {
    std::string file = base;
    file.replace(at, 4, "\xff\xff\xff\xff");
    for (const std::string& tool : {kWavtoh, kAdpcmlab}) {
      TempDir dir;
      write_file(dir / "h.wav", file);
      const RunResult run = run_program(tool, dir.path(), "h");
      SCOPED_TRACE("0xFFFFFFFF at offset " + std::to_string(at) + ", " + tool);
      ASSERT_TRUE(run.exitStatus == 0 || run.exitStatus == 1) << run.exitStatus;
      // Header file: at most 8 bytes an input byte; adpcmlab's ten files
      // together at most 40; plus the fixed texts.
      EXPECT_LE(bytes_written(dir, "h.wav"), 40 * file.size() + 4096);
      EXPECT_LT(run.out.size(), 2048u);
    }
  }
}

TEST(Robustness, InputThatIsNoReadableFile) {
  TempDir dir;
  fs::create_directory(dir / "x.wav");
  const RunResult run = run_program(kWavtoh, dir.path(), "x");
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, console_gbk(kPrompt + "没有此文件\n"));
  EXPECT_FALSE(fs::exists(dir / "wav_x.h"));

  if (geteuid() != 0) {  // permissions bind everyone but root
    write_file(dir / "locked.wav", pcm8_mono("ab"));
    fs::permissions(dir / "locked.wav", fs::perms::none);
    const RunResult locked = run_program(kWavtoh, dir.path(), "locked");
    EXPECT_EQ(locked.exitStatus, 1);
    EXPECT_EQ(locked.out, console_gbk(kPrompt + "没有此文件\n"));
  }
}

TEST(Robustness, ReadOnlyFolder) {
  // Root writes into read-only folders, so root runs the tools as nobody.
  const std::string asUser =
      geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups" : "";
  TempDir dir;
  write_file(dir / "x.wav", pcm8_mono("ab"));
  fs::permissions(dir / "x.wav", fs::perms::owner_read | fs::perms::others_read);
  fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
  for (const std::string& tool : {kWavtoh, kAdpcmlab}) {
    const RunResult run = run_program(tool, dir.path(), "x", asUser);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.out, console_gbk(kPrompt + "建立文件失败\n"));
  }
}

TEST(Robustness, OutputsThatFailWhileWritingKeepTheEarlierFiles) {
  // A full disk, as a limit on the size of every file the tool writes: the
  // 20000-sample header, plot script and dumps all pass it, the console not.
  const std::string bigger = pcm8_mono(std::string(20000, '\x90'));
  for (const std::string& tool : {kWavtoh, kAdpcmlab}) {
    SCOPED_TRACE(tool);
    TempDir dir;
    write_file(dir / "x.wav", pcm8_mono("earlier"));
    ASSERT_EQ(run_program(tool, dir.path(), "x").exitStatus, 0);
    std::map<std::string, std::string> earlier;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
      earlier[entry.path().filename()] = read_file(entry.path());
    }
    write_file(dir / "x.wav", bigger);
    earlier["x.wav"] = bigger;

    const RunResult run = run_program(tool, dir.path(), "x", "", "", 8192);
    EXPECT_EQ(run.exitStatus, 1);
    for (const auto& [name, bytes] : earlier) {
      if (name == "x.wav") continue;
      EXPECT_NE(run.out.find(console_gbk("\a写入文件失败:" + name + "\n")), std::string::npos)
          << name;
    }
    if (tool == kAdpcmlab) {
      // The experiment still runs after the conversion's failures.
      EXPECT_NE(run.out.find("OK!\r\n"), std::string::npos);
    }
    std::map<std::string, std::string> after;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
      after[entry.path().filename()] = read_file(entry.path());
    }
    EXPECT_EQ(after, earlier);  // every file as before, no temporary left
  }
}

TEST(CommandLine, HelpAndVersionAndOtherArguments) {
  for (const std::string& tool : {kWavtoh, kAdpcmlab}) {
    const std::string name = tool == kWavtoh ? "wavtoh" : "adpcmlab";
    TempDir dir;
    write_file(dir / "x.wav", pcm8_mono("ab"));
    const RunResult help = run_program(tool, dir.path(), "x", "", "--help");
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_TRUE(help.out.starts_with("Usage: " + name + "\r\n")) << help.out;
    EXPECT_NE(help.out.find("Exit status: 0 when"), std::string::npos);
    const RunResult version = run_program(tool, dir.path(), "x", "", "--version");
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_EQ(version.out, name + " " + WAVTOH_VERSION + "\r\n");
    // Neither option reads the prompt or writes a file.
    EXPECT_FALSE(fs::exists(dir / "wav_x.h"));
    // Any other argument is ignored: the run converts as always.
    const RunResult other = run_program(tool, dir.path(), "x", "", "x.wav");
    EXPECT_EQ(other.exitStatus, 0);
    EXPECT_TRUE(other.out.starts_with(console_gbk(kPrompt)));
    EXPECT_TRUE(fs::exists(dir / "wav_x.h"));
  }
}

TEST(Robustness, ConsoleThatFailsWhileWriting) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "SKIP: no /dev/full";
  const char* wrapper = std::getenv("WAVTOH_TEST_WRAPPER");
  for (const std::string& tool : {kWavtoh, kAdpcmlab}) {
    TempDir dir;
    write_file(dir / "x.wav", pcm8_mono("ab"));
    const std::string command = "cd '" + dir.path().string() + "' && echo x | " +
                                (wrapper != nullptr ? wrapper : "") + " '" + tool + "' > /dev/full";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << tool << ": " << status;
    EXPECT_TRUE(fs::exists(dir / "wav_x.h"));
  }
}

}  // namespace
