// What a failed, interrupted or hostile run leaves behind, and inputs that
// must not block or grow without bound. Tests named Posix... are about the
// POSIX platform itself (links, pipes, signals, permission bits, the stack
// limit) and are not run against the Windows build.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tests/apps/expected_output.h"
#include "tests/support/test_support.h"

namespace {

using namespace testing_support;
using namespace expected;
namespace fs = std::filesystem;

const std::string kWavtoh = program_under_test("WAVTOH_EXE", WAVTOH_EXE);
const std::string kAdpcmlab = program_under_test("ADPCMLAB_EXE", ADPCMLAB_EXE);

using Files = std::map<std::string, std::string>;

Files files_in(const fs::path& dir) {
  Files files;
  for (const auto& entry : fs::directory_iterator(dir)) {
    if (entry.is_regular_file()) files[entry.path().filename()] = read_file(entry.path());
  }
  return files;
}

std::set<std::string> names_in(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename());
  return names;
}

// 32 MiB of samples: long enough that the tool is still copying when the
// test acts on the report it prints before the copy.
const std::size_t kLongSize = 32u << 20;
std::string long_sound() { return pcm8_mono(std::string(kLongSize, '\x81')); }
const std::string kDataLine = console_gbk(data_utf8(static_cast<std::int64_t>(kLongSize)));

// A folder holding x.wav and the files of an earlier, finished run.
Files prepare_earlier_run(const TempDir& dir, const std::string& tool) {
  write_file(dir / "x.wav", pcm8_mono("earlier"));
  EXPECT_EQ(run_program(tool, dir.path(), "x").exitStatus, 0);
  write_file(dir / "x.wav", long_sound());
  return files_in(dir.path());
}

TEST(SafetyEndToEnd, InputCutWhileConvertingKeepsTheEarlierFiles) {
  for (const std::string& tool : {kWavtoh, kAdpcmlab}) {
    SCOPED_TRACE(tool);
    TempDir dir;
    Files before = prepare_earlier_run(dir, tool);
    const RunResult run = run_program_until(tool, dir.path(), "x", kDataLine, [&](int) {
      fs::resize_file(dir / "x.wav", 1u << 20);
    });
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_TRUE(run.out.ends_with(kDataLine + console_gbk("\a读取文件失败:x.wav\n"))) << run.out;
    before["x.wav"] = read_file(dir / "x.wav");
    EXPECT_EQ(files_in(dir.path()), before);  // every earlier file as it was
    EXPECT_EQ(names_in(dir.path()).size(), before.size()) << "a temporary was left behind";
  }
}

TEST(SafetyEndToEnd, PosixInterruptKeepsTheEarlierFilesAndLeavesNoTemporary) {
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    for (const std::string& tool : {kWavtoh, kAdpcmlab}) {
      SCOPED_TRACE(tool + " signal " + std::to_string(signal));
      TempDir dir;
      const Files before = prepare_earlier_run(dir, tool);
      const RunResult run = run_program_until(tool, dir.path(), "x", kDataLine,
                                              [&](int pid) { kill(pid, signal); });
      EXPECT_EQ(run.exitStatus, -1);  // ended by the signal
      EXPECT_EQ(files_in(dir.path()), before);
      EXPECT_EQ(names_in(dir.path()).size(), before.size()) << "a temporary was left behind";
    }
  }
}

TEST(SafetyEndToEnd, RunsAtOnceInOneFolderLeaveWholeFiles) {
  // a/c and b/c both write wav_c.h into the folder: each run's file is whole.
  TempDir dir;
  fs::create_directories(dir / "a");
  fs::create_directories(dir / "b");
  write_file(dir / "a" / "c.wav", pcm8_mono(std::string(300000, '\x11')));
  write_file(dir / "b" / "c.wav", pcm8_mono(std::string(200000, '\x22')));
  std::set<std::string> whole;
  for (const char* typed : {"a/c", "b/c"}) {
    ASSERT_EQ(run_program(kWavtoh, dir.path(), typed).exitStatus, 0);
    whole.insert(read_file(dir / "wav_c.h"));
  }
  ASSERT_EQ(whole.size(), 2u);
  for (int round = 0; round < 3; ++round) {
    std::vector<std::thread> runs;
    std::vector<int> statuses(4, -2);
    for (int i = 0; i < 4; ++i) {
      runs.emplace_back([&, i] {
        statuses[i] = run_program(kWavtoh, dir.path(), i % 2 == 0 ? "a/c" : "b/c").exitStatus;
      });
    }
    for (auto& run : runs) run.join();
    EXPECT_EQ(statuses, std::vector<int>(4, 0));
    EXPECT_EQ(whole.count(read_file(dir / "wav_c.h")), 1u) << "round " << round;
    EXPECT_EQ(names_in(dir.path()), (std::set<std::string>{"a", "b", "wav_c.h"}));
  }
}

TEST(SafetyEndToEnd, HeaderThatCannotBeCreatedStopsBeforeThePlotScript) {
  TempDir dir;
  write_file(dir / "x.wav", pcm8_mono("ab"));
  fs::create_directory(dir / "wav_x.h");
  write_file(dir / "mx.m", "earlier");
  const RunResult run = run_program(kAdpcmlab, dir.path(), "x");
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, console_gbk(kPrompt + "建立文件失败\n"));
  EXPECT_EQ(read_file(dir / "mx.m"), "earlier");
  EXPECT_EQ(names_in(dir.path()), (std::set<std::string>{"mx.m", "wav_x.h", "x.wav"}));
}

TEST(SafetyEndToEnd, PosixPipeAsInputIsRefusedAtOnce) {
  TempDir dir;
  ASSERT_EQ(mkfifo((dir / "x.wav").c_str(), 0644), 0);
  // Nobody writes to the pipe: opening it for reading in the usual way
  // would wait forever.
  const RunResult run = run_program(kWavtoh, dir.path(), "x");
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, console_gbk(kPrompt + "没有此文件\n"));
  EXPECT_EQ(names_in(dir.path()), std::set<std::string>{"x.wav"});
}

TEST(SafetyEndToEnd, PosixEndlessWordOnStandardInputKeepsMemoryFlat) {
  for (const std::string& tool : {kWavtoh, kAdpcmlab}) {
    TempDir dir;
    TempDir io;
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      if (chdir(dir.path().c_str()) != 0 || std::freopen("/dev/zero", "rb", stdin) == nullptr ||
          std::freopen((io / "out").c_str(), "wb", stdout) == nullptr) {
        _exit(127);
      }
      execl(tool.c_str(), tool.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    int status = 0;
    rusage usage{};
    ASSERT_EQ(wait4(pid, &status, 0, &usage), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(read_file(io / "out"), console_gbk(kPrompt + "没有此文件\n"));
    EXPECT_LT(usage.ru_maxrss, 16 * 1024) << "KiB at the peak";
    EXPECT_TRUE(names_in(dir.path()).empty());
  }
}

TEST(SafetyEndToEnd, WordsOverTheLimitNameNoFile) {
  // A word of 4096 bytes is a name (of no file here); one more byte and it
  // is refused before any file is looked for.
  TempDir dir;
  for (std::size_t length : {4096u, 4097u, 100000u}) {
    const RunResult run = run_program(kWavtoh, dir.path(), std::string(length, 'w') + "\nrest");
    EXPECT_EQ(run.exitStatus, 1) << length;
    EXPECT_EQ(run.out, console_gbk(kPrompt + "没有此文件\n")) << length;
  }
  EXPECT_TRUE(names_in(dir.path()).empty());
}

// RIFF header, then `before` empty JUNK chunks, the format chunk, `between`
// more, and a data chunk of two samples.
std::string junk_file(std::size_t before, std::size_t between) {
  const std::string junk = chunk("JUNK", "");
  std::string body = "WAVE";
  for (std::size_t i = 0; i < before; ++i) body += junk;
  body += chunk("fmt ", fmt_payload(1, 1, 8000, 8));
  for (std::size_t i = 0; i < between; ++i) body += junk;
  body += chunk("data", "\x10\x20");
  return "RIFF" + le32(static_cast<std::uint32_t>(body.size())) + body;
}

TEST(SafetyEndToEnd, EachChunkSearchSkipsAtMost65536Chunks) {
  struct Case {
    std::size_t before;
    std::size_t between;
    bool converts;
  };
  for (const Case& c : {Case{65536, 0, true}, Case{65537, 0, false}, Case{0, 65536, true},
                        Case{0, 65537, false}}) {
    SCOPED_TRACE(std::to_string(c.before) + " before the format chunk, " +
                 std::to_string(c.between) + " before the data chunk");
    TempDir dir;
    const std::string file = junk_file(c.before, c.between);
    write_file(dir / "j.wav", file);
    const RunResult run = run_program(kWavtoh, dir.path(), "j");
    const auto riffSize = static_cast<std::uint32_t>(file.size() - 8);
    const std::string riffLines = "WAV格式文件\nwav文件数据大小:" + std::to_string(riffSize) + "\n";
    if (c.converts) {
      EXPECT_EQ(run.exitStatus, 0);
      EXPECT_EQ(run.out, console_gbk(kPrompt + report_utf8(riffSize) + report_utf8(riffSize) +
                                     data_utf8(2)));
      EXPECT_EQ(read_file(dir / "wav_j.h"), mono_comment_gbk(8000, 8) +
                                                array_head_gbk("wav_j", 2, "0.000250") +
                                                "0x10,0x20,\r\n};\r\n");
    } else {
      EXPECT_EQ(run.exitStatus, 1);
      const std::string walked =
          c.before > 0 ? riffLines : report_utf8(riffSize) + report_utf8(riffSize);
      EXPECT_EQ(run.out, console_gbk(kPrompt + walked + "不是WAV格式文件\n\a不是WAV文件"));
    }
  }
}

TEST(SafetyEndToEnd, TypedPathsReadThereAndWriteHere) {
  struct Case {
    std::string typed;
    std::string wavPath;  // where the input lies, from the run's folder
    std::string name;     // the outputs' name
    std::string array;
  };
  std::vector<Case> cases = {
      {"sub/chime", "sub/chime.wav", "chime", "wav_chime"},
      {"a/b.c/door.open", "a/b.c/door.open.wav", "door.open", "wav_door_open"},
      {"sub//x", "sub/x.wav", "x", "wav_x"},
      {"./x", "x.wav", "x", "wav_x"},
  };
  const char* wrapper = std::getenv("WAVTOH_TEST_WRAPPER");
  if (wrapper != nullptr && std::string_view(wrapper) == "wine") {
    cases.push_back({"sub\\chime", "sub/chime.wav", "chime", "wav_chime"});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    TempDir dir;
    fs::create_directories((dir / c.wavPath).parent_path());
    write_file(dir / c.wavPath, pcm8_mono("\x42"));
    const RunResult run = run_program(kAdpcmlab, dir.path(), c.typed);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(read_file(dir / ("wav_" + c.name + ".h")),
              mono_comment_gbk(8000, 8) + "\r\n#define size_" + c.array + "   1\r\n" +
                  array_head_gbk(c.array, 1, "0.000125") + "0x42\r\n};\r\n");
    EXPECT_EQ(read_file(dir / ("m" + c.name + ".m")), "t=0:1:0;\r\ny=[ 66];\r\nplot(t,y,'r');");
  }
}

TEST(SafetyEndToEnd, HelpAndVersionOnAFailingConsole) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "SKIP: no /dev/full";
  const char* wrapper = std::getenv("WAVTOH_TEST_WRAPPER");
  for (const std::string& tool : {kWavtoh, kAdpcmlab}) {
    for (const char* option : {"--help", "--version"}) {
      const std::string command = std::string(wrapper != nullptr ? wrapper : "") + " '" + tool +
                                  "' " + option + " > /dev/full";
      const int status = std::system(command.c_str());
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << tool << " " << option;
    }
  }
}

TEST(SafetyEndToEnd, PosixBothToolsRunOnA128KiBStack) {
  for (const std::string& tool : {kWavtoh, kAdpcmlab}) {
    TempDir dir;
    write_file(dir / "s.wav", pcm8_mono(std::string(100000, '\x70')));
    const std::string command = "cd '" + dir.path().string() +
                                "' && ulimit -s 128 && echo s | '" + tool + "' > /dev/null";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << tool << ": " << status;
  }
}

}  // namespace
