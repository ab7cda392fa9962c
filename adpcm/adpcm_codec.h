#pragma once

#include <cstdint>
#include <span>

#include "adpcm/adpcm_rules.h"

// The 4-bit coder over whole runs of samples: a pure library, with no files
// and no console. The rules themselves are in adpcm_rules.h.

// Codes one sample and moves the state on; returns the 4-bit code.
std::uint8_t encode_sample(AdpcmState& state, std::uint8_t sample);
// Decodes one 4-bit code and moves the state on; returns the sample.
inline std::uint8_t decode_sample(AdpcmState& state, std::uint8_t code) {
  return adpcm_decode_code(&state, code);
}

// Codes `samples` into `codes`, two to a byte, the even sample's code in the
// high nibble (a final odd sample's code is not stored: samples.size() / 2
// bytes), and records the encoder's prediction after each sample, its own
// reconstruction, in `pred`.
void adpcm_encode(std::span<const std::uint8_t> samples, std::span<std::uint8_t> codes,
                  std::span<std::uint8_t> pred);
// Decodes `samples.size()` samples from packed codes. A code beyond the end
// of `codes` reads as 0: with the experiment's buffers, the last code of an
// odd run comes from the cleared byte after the stored ones.
void adpcm_decode(std::span<const std::uint8_t> codes, std::span<std::uint8_t> samples);
