#pragma once

#include <cstdint>
#include <cstdio>

#include "conversion/convert_input.h"
#include "textout/text_writer.h"

struct ConvertResult {
  ConvertOutcome outcome;
  // Sample bytes converted; the data size of a stereo file; 0 otherwise.
  std::uint32_t dataSize;
  // Every output file reached the disk without a write error.
  bool filesWritten;
};

// True for the outcomes after which the program stops at once.
bool conversion_ends_program(ConvertOutcome outcome);

// The interactive conversion: prompts on `console`, reads the typed path from
// `nameInput`, converts <path>.wav into wav_<name>.h (and, as the variant
// says, m<name>.m, <name> being its last component) in the current
// directory and prints the closing message of a refused or stereo file.
ConvertResult convert_wav(TextWriter& console, std::FILE* nameInput,
                          const ConversionVariant& variant);
