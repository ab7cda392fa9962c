#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "textout/text_writer.h"

// One run of the ADPCM experiment over the samples the conversion left in the
// wave buffer. The unit owns the experiment's four signals for the whole run:
// the input (waveBuf), the packed codes (adpcmBuf), the decoded signal
// (pcmBuf) and the encoder's reconstruction (predBuf).

// Every signal buffer holds this many samples; longer inputs are cut to it.
inline constexpr std::size_t kSignalSize = 65535;

// Zeroes the input, code and decoded buffers. Done before the conversion: a
// stereo run codes the zeros it leaves in the wave buffer, and an odd run's
// last code is read from the byte after the stored codes.
void clear_signals();

// Where the conversion puts the input samples.
std::span<std::uint8_t> wave_buffer();

// Codes the first `sampleCount` samples (at most kSignalSize), decodes them
// again, and writes the eight dumps in their fixed order: "pred.txt" and
// "pred.m", then "OK!" on the console, then the input, codes and decoded
// signal as hex lists and plot scripts. True when every dump was written.
bool run_experiment(TextWriter& console, std::uint32_t sampleCount);
