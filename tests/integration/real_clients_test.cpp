// What the tools write, read by the programs it is meant for: the header file
// by a microcontroller C compiler, the plot scripts by GNU Octave.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/integration/external_tools.h"
#include "tests/support/test_support.h"

namespace {

using namespace testing_support;
using external_tools::quoted;
using external_tools::shell;

const std::string kWavtoh = program_under_test("WAVTOH_EXE", WAVTOH_EXE);
const std::string kAdpcmlab = program_under_test("ADPCMLAB_EXE", ADPCMLAB_EXE);

std::string samples_of(std::size_t n) {
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>(128 + 100 * ((i / 20) % 2 == 0 ? 1 : -1) * static_cast<int>(i % 20) / 20);
  return s;
}

// Section and size of `symbol` in an AVR object file, from avr-objdump -t.
std::pair<std::string, unsigned long> placement(const TempDir& dir, const std::string& object,
                                                 const std::string& symbol) {
  std::istringstream table(shell("avr-objdump -t " + quoted(dir / object)));
  for (std::string line; std::getline(table, line);) {
    if (!line.ends_with(" " + symbol)) continue;
    std::istringstream fields(line);
    std::string address, scope, kind, section, size;
    fields >> address >> scope >> kind >> section >> size;
    return {section, std::stoul(size, nullptr, 16)};
  }
  return {"(missing)", 0};
}

TEST(RealClients, AvrGccPlacesEveryArrayInProgramMemory) {
  REQUIRE_TOOL("avr-gcc", "gcc-avr avr-libc");
  REQUIRE_TOOL("avr-objdump", "binutils-avr");
  for (std::size_t n : {0u, 11u, 5000u}) {
    for (const std::string& tool : {kAdpcmlab, kWavtoh}) {
      const bool lab = tool == kAdpcmlab;
      SCOPED_TRACE(std::to_string(n) + " samples, " + tool);
      TempDir dir;
      write_file(dir / "door.open.wav", pcm8_mono(samples_of(n)));
      ASSERT_EQ(run_program(tool, dir.path(), "door.open").exitStatus, 0);
      // `flash` is the placement keyword of the compilers the header was
      // written for; avr-gcc spells it __flash. The assertion checks the
      // size constant, and that no comment swallowed a line.
      std::string source = "#define flash const __flash\n#include \"wav_door.open.h\"\n";
      if (lab) {
        source += "_Static_assert(sizeof(wav_door_open) == size_wav_door_open, \"size\");\n";
        source += "_Static_assert(size_wav_door_open == " + std::to_string(n) + ", \"count\");\n";
      }
      write_file(dir / "player.c", source);
      shell("cd " + quoted(dir.path()) +
            " && avr-gcc -mmcu=atmega16 -Os -Wall -Wextra -Werror -c player.c -o player.o 2>&1");
      const auto [section, size] = placement(dir, "player.o", "wav_door_open");
      EXPECT_EQ(section, ".progmem.data");
      EXPECT_EQ(size, n);
    }
  }
}

std::string octave_eval(const TempDir& dir, const std::string& script, const std::string& after) {
  return shell("cd " + quoted(dir.path()) +
               " && octave-cli --quiet --no-window-system --eval \"warning('off','all'); "
               "set(0,'defaultfigurevisible','off'); run('" + script + "'); " + after + "\"");
}

TEST(RealClients, OctaveRunsEveryPlotScript) {
  REQUIRE_TOOL("octave-cli", "octave gnuplot-nox fonts-freefont-otf");
  TempDir dir;
  write_file(dir / "r.wav", pcm8_mono(std::string{0, 4, 10, 20, 40, 70, 90, 100, 99, 101, 90}));
  ASSERT_EQ(run_program(kAdpcmlab, dir.path(), "r").exitStatus, 0);
  struct Script {
    std::string name;
    std::string values;  // y as Octave prints it with %d
  };
  const Script scripts[] = {
      {"mr.m", "0 4 10 20 40 70 90 100 99 101 90"},
      {"wav.m", "0 4 10 20 40 70 90 100 99 101 90"},
      {"adpcm.m", "23 18 99 33 0"},
      {"pcm.m", "0 3 9 19 39 70 90 99 101 103 105"},
      {"pred.m", "0 3 9 19 39 70 90 99 101 103 89"},
  };
  for (const Script& s : scripts) {
    SCOPED_TRACE(s.name);
    const std::string png = s.name.substr(0, s.name.size() - 2) + ".png";
    const std::string out = octave_eval(
        dir, s.name,
        "printf('t=%d:%d n=%d y=', t(1), t(end), numel(y)); printf('%d ', y); "
        "print('-dpngcairo', '" + png + "');");
    const std::size_t n = std::count(s.values.begin(), s.values.end(), ' ') + 1;
    EXPECT_EQ(out, "t=0:" + std::to_string(n - 1) + " n=" + std::to_string(n) + " y=" + s.values + " ");
    EXPECT_GT(std::filesystem::file_size(dir / png), 1000u);
  }
}

TEST(RealClients, OctaveRunsTheEmptyPlotScripts) {
  REQUIRE_TOOL("octave-cli", "octave gnuplot-nox fonts-freefont-otf");
  TempDir dir;
  write_file(dir / "z.wav", pcm8_mono(""));
  ASSERT_EQ(run_program(kAdpcmlab, dir.path(), "z").exitStatus, 0);
  for (const std::string script : {"mz.m", "wav.m", "adpcm.m", "pcm.m", "pred.m"}) {
    EXPECT_EQ(octave_eval(dir, script, "printf('%d %d', numel(t), numel(y));"), "0 0") << script;
  }
}

}  // namespace
