// The sound that plays from flash: the example players (examples/firmware)
// are built for a sound converted by the tools, each image runs in simavr,
// and every value the firmware puts on the PWM output is checked against
// the sound's samples as sox extracts them, with the time it was put there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/firmware/avr_simulation.h"
#include "tests/integration/external_tools.h"
#include "tests/support/test_support.h"

namespace {

using namespace testing_support;
using external_tools::shell;
namespace fs = std::filesystem;

std::string quoted(const fs::path& path) { return external_tools::quoted(path); }

const std::string kWavtoh = program_under_test("WAVTOH_EXE", WAVTOH_EXE);
const std::string kAdpcmlab = program_under_test("ADPCMLAB_EXE", ADPCMLAB_EXE);
constexpr std::uint8_t kRest = 128;
constexpr std::uint32_t kSampleRate = 8000;
// An interrupt starts when the instruction under way ends, so a sample can
// come a few cycles late (the longest AVR instructions take 4 or 5 cycles;
// the Arduino sketch's loop() does not sleep). Lateness never adds up: the
// timer, not the interrupt, sets the pace.
constexpr std::int64_t kLatencyBound = 8;

#define REQUIRE_FIRMWARE_TOOLS()                                                         \
  do {                                                                                   \
    REQUIRE_TOOL("avr-gcc", "gcc-avr avr-libc");                                         \
    REQUIRE_TOOL("make", "make");                                                        \
    REQUIRE_TOOL("sox", "sox");                                                          \
    if (!fs::exists("/usr/share/arduino/hardware/arduino/avr/cores/arduino/main.cpp")) { \
      if (std::getenv("CI") != nullptr) FAIL() << "the Arduino AVR core is missing in CI"; \
      GTEST_SKIP() << "SKIP: arduino-core-avr not installed (apt-get install arduino-core-avr)"; \
    }                                                                                    \
  } while (false)

std::vector<std::uint8_t> bytes_of(const std::string& text) { return {text.begin(), text.end()}; }

// The values of a hex list ("0x%02x," ten to a line).
std::vector<std::uint8_t> hex_list_values(const std::string& list) {
  std::vector<std::uint8_t> values;
  for (std::size_t at = list.find("0x"); at != std::string::npos; at = list.find("0x", at + 4)) {
    values.push_back(static_cast<std::uint8_t>(std::stoul(list.substr(at + 2, 2), nullptr, 16)));
  }
  return values;
}

// Builds every player for `sound` (a .wav path) into `out`.
void build_players(const fs::path& sound, const fs::path& out) {
  std::string soundPath = sound.string();
  soundPath.resize(soundPath.size() - 4);  // the Makefile takes the path without .wav
  shell("make -s -j2 -C " + quoted(fs::path(FIRMWARE_DIR)) + " OUT=" + quoted(out) +
        " SOUND=" + quoted(fs::path(soundPath)) + " WAVTOH=" + quoted(fs::path(kWavtoh)) +
        " ADPCMLAB=" + quoted(fs::path(kAdpcmlab)) + " 2>&1");
}

struct Timing {
  std::int64_t worstLateness;  // cycles, either way, against the exact grid
  double meanInterval;
};

// Checks the values the firmware wrote, and that from the first sample on
// they came exactly every F_CPU / 8000 cycles.
Timing check_playback(const SimulatedPlayback& playback, const AvrTarget& target,
                      const std::vector<std::uint8_t>& samples) {
  std::vector<std::uint8_t> expected{kRest};  // the output rests until the sound starts
  expected.insert(expected.end(), samples.begin(), samples.end());
  expected.push_back(kRest);  // and rests again after it
  std::vector<std::uint8_t> written;
  for (const PwmWrite& w : playback.writes) written.push_back(w.value);
  EXPECT_EQ(written, expected);

  const auto period = static_cast<std::int64_t>(target.frequency / kSampleRate);
  Timing timing{0, 0.0};
  if (playback.writes.size() < 3) return timing;
  const auto first = static_cast<std::int64_t>(playback.writes[1].cycle);
  for (std::size_t k = 1; k < playback.writes.size(); ++k) {
    const auto at = static_cast<std::int64_t>(playback.writes[k].cycle);
    const std::int64_t lateness = at - first - static_cast<std::int64_t>(k - 1) * period;
    timing.worstLateness = std::max(timing.worstLateness, std::abs(lateness));
  }
  const auto last = static_cast<std::int64_t>(playback.writes.back().cycle);
  timing.meanInterval = static_cast<double>(last - first) /
                        static_cast<double>(playback.writes.size() - 2);
  EXPECT_LE(timing.worstLateness, kLatencyBound) << "cycles off the " << period << "-cycle grid";
  EXPECT_NEAR(timing.meanInterval, static_cast<double>(period),
              static_cast<double>(kLatencyBound) / static_cast<double>(samples.size()));
  return timing;
}

std::uint64_t cycles_to_play(const AvrTarget& target, std::size_t samples) {
  // The sound, the two rest values and a tenth of a second more.
  return (samples + 3) * (target.frequency / kSampleRate) + target.frequency / 10;
}

void check_every_player(const fs::path& sound) {
  TempDir out;
  build_players(sound, out.path());
  const std::vector<std::uint8_t> samples = bytes_of(shell("sox " + quoted(sound) + " -t u8 -"));
  ASSERT_FALSE(samples.empty());

  struct Player {
    const char* image;
    AvrTarget target;
  };
  for (const Player& p : {Player{"pwm_player-atmega328p.elf", kAtmega328p},
                          Player{"pwm_player-atmega16.elf", kAtmega16},
                          Player{"arduino-atmega328p.elf", kAtmega328p}}) {
    SCOPED_TRACE(p.image);
    const SimulatedPlayback playback = simulate((out / p.image).string(), p.target,
                                                cycles_to_play(p.target, samples.size()));
    const Timing timing = check_playback(playback, p.target, samples);
    std::printf("%s: %zu samples, worst lateness %lld cycles, mean interval %.4f cycles\n",
                p.image, samples.size(), static_cast<long long>(timing.worstLateness),
                timing.meanInterval);
  }

  // The ADPCM player decodes on the chip what adpcmlab decoded on the host:
  // every sample whose code is stored (an odd last sample has none).
  std::vector<std::uint8_t> decoded = hex_list_values(read_file(out / "lab" / "pcm.txt"));
  ASSERT_EQ(decoded.size(), samples.size());
  decoded.resize(samples.size() / 2 * 2);
  for (const Player& p : {Player{"adpcm_player-atmega328p.elf", kAtmega328p},
                          Player{"adpcm_player-atmega16.elf", kAtmega16}}) {
    SCOPED_TRACE(p.image);
    const SimulatedPlayback playback = simulate((out / p.image).string(), p.target,
                                                cycles_to_play(p.target, samples.size()));
    check_playback(playback, p.target, decoded);
    ASSERT_FALSE(playback.interruptCycles.empty());
    const std::uint64_t worst =
        *std::max_element(playback.interruptCycles.begin(), playback.interruptCycles.end());
    std::uint64_t total = 0;
    for (std::uint64_t c : playback.interruptCycles) total += c;
    const std::uint64_t period = p.target.frequency / kSampleRate;
    std::printf("%s: cycles per decoded sample, worst %llu, mean %.1f, of %llu\n", p.image,
                static_cast<unsigned long long>(worst),
                static_cast<double>(total) / static_cast<double>(playback.interruptCycles.size()),
                static_cast<unsigned long long>(period));
    // Decoding leaves the chip most of its time for other work.
    EXPECT_LT(worst, period / 4);
  }
}

TEST(FirmwarePlayback, ChimePlaysSampleForSampleOnEveryPlayer) {
  REQUIRE_FIRMWARE_TOOLS();
  check_every_player(DEMO_WAV);
}

TEST(FirmwarePlayback, SpeechMadeAtTestTimePlaysToo) {
  REQUIRE_FIRMWARE_TOOLS();
  REQUIRE_TOOL("espeak-ng", "espeak-ng");
  TempDir dir;
  shell("espeak-ng -w " + quoted(dir / "voice.wav") + " 'Played from flash.' 2>&1");
  // 8-bit unsigned mono at 8 kHz, at most 1.5 s: it must fit the ATmega16.
  shell("sox " + quoted(dir / "voice.wav") + " -r 8000 -c 1 -b 8 -e unsigned-integer " +
        quoted(dir / "speech.wav") + " trim 0 1.5 2>&1");
  check_every_player(dir / "speech.wav");
}

}  // namespace
