// Runs a player image in simavr and prints every value it puts on the PWM
// output, as "<seconds> <value>" lines, for plots of what the chip plays
// (simavr itself prints a "Loaded ..." line for each section it loads).
//   trace_firmware IMAGE.elf atmega328p|atmega16 SECONDS
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "tests/firmware/avr_simulation.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: trace_firmware IMAGE.elf atmega328p|atmega16 SECONDS\n");
    return 2;
  }
  const AvrTarget& target = std::string_view(argv[2]) == "atmega16" ? kAtmega16 : kAtmega328p;
  const double seconds = std::atof(argv[3]);
  const SimulatedPlayback playback =
      simulate(argv[1], target, static_cast<std::uint64_t>(seconds * target.frequency));
  for (const PwmWrite& w : playback.writes) {
    std::printf("%.9f %u\n", static_cast<double>(w.cycle) / target.frequency, w.value);
  }
  return 0;
}
