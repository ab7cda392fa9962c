#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Runs a firmware image in simavr and records what the player does: every
// write to the PWM compare register, with the cycle it happened at, and how
// many cycles each run of the sample interrupt took from its vector to RETI.
struct PwmWrite {
  std::uint64_t cycle;
  std::uint8_t value;
};

struct SimulatedPlayback {
  std::vector<PwmWrite> writes;
  std::vector<std::uint64_t> interruptCycles;
};

struct AvrTarget {
  const char* mcu;              // as simavr names it: "atmega328p"
  std::uint32_t frequency;      // F_CPU the image was built for
  std::uint16_t pwmRegister;    // data address of OCR0A (OCR0 on the ATmega16)
  std::uint8_t sampleVector;    // TIMER1_COMPA's vector number
};

inline constexpr AvrTarget kAtmega328p{"atmega328p", 16000000, 0x47, 11};
inline constexpr AvrTarget kAtmega16{"atmega16", 8000000, 0x5C, 6};

// Loads `elf` on `target` and runs it for `cycles` cycles.
SimulatedPlayback simulate(const std::string& elf, const AvrTarget& target, std::uint64_t cycles);
