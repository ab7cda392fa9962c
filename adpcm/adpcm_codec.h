#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "textout/text_writer.h"

// A 4-bit adaptive delta coder of the IMA kind, cut down to 8-bit unsigned
// samples: a 22-step table, the standard index adjustments, and all sample
// arithmetic modulo 256 (nothing clamps the prediction).

// Size of every sample buffer of the experiment.
inline constexpr std::size_t kSampleBufferSize = 65535;

// Step sizes, roughly 1.1 to 1.2 times apart, from the finest (2) to the
// coarsest step an 8-bit signed difference can still use (127).
inline constexpr std::array<std::uint8_t, 22> kStepTable = {
    2,  3,  4,  6,  8,  10, 13, 16,  19,  23,  27,  // fine steps for quiet signals
    32, 37, 43, 50, 58, 67, 77, 88, 100, 113, 127,  // coarse steps for loud ones
};

// Index change for each magnitude (the code's low three bits): small codes
// shrink the step, large ones grow it fast.
inline constexpr std::array<std::int8_t, 8> kIndexAdjust = {-1, -1, -1, -1, 2, 4, 6, 8};

// Code bits: bit 3 moves the prediction down; bits 2..0 add one, a half and
// a quarter step; an eighth of a step is always added.
inline constexpr std::uint8_t kSignBit = 8;

struct AdpcmState {
  std::uint8_t pred = 0;   // predicted sample
  std::int8_t index = 0;   // into kStepTable, always 0..21
  std::uint8_t step = kStepTable[0];
};

// The difference a code's magnitude stands for at `step`; encoder and decoder
// both use it, so they cannot drift apart. At most 15 + 127 + 63 + 31 = 236.
std::uint8_t quantised_difference(std::uint8_t step, std::uint8_t magnitude);

// Codes one sample and moves the state on; returns the 4-bit code.
std::uint8_t encode_sample(AdpcmState& state, std::uint8_t sample);
// Decodes one 4-bit code and moves the state on; returns the sample.
std::uint8_t decode_sample(AdpcmState& state, std::uint8_t code);

// Codes `len` samples into `codes`, two to a byte, the even sample's code in
// the high nibble (a final odd sample's code is not stored), and records the
// encoder's own reconstruction of every sample in `reconstruction`.
void adpcm_encode(const std::uint8_t* samples, std::uint32_t len, std::uint8_t* codes,
                  std::uint8_t* reconstruction);
// Decodes `len` samples from packed codes. For an odd `len` the last code is
// read from the high nibble of the byte after the stored ones.
void adpcm_decode(const std::uint8_t* codes, std::uint32_t len, std::uint8_t* samples);

// The encoder's reconstruction, kept for the whole run.
extern std::uint8_t predBuf[kSampleBufferSize];

// Encodes waveBuf into adpcmBuf (and predBuf), decodes adpcmBuf into pcmBuf,
// writes predBuf as "pred.txt" and "pred.m" and prints "OK!". `len` is at
// most kSampleBufferSize. True when both files were written.
bool adpcm_codec(TextWriter& console, const std::uint8_t* waveBuf, std::uint8_t* adpcmBuf,
                 std::uint8_t* pcmBuf, std::uint32_t len);
