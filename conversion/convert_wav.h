#pragma once

#include <cstdint>
#include <cstdio>
#include <span>

#include "textout/text_writer.h"

enum class ConvertOutcome {
  Converted,     // the header file holds the whole array
  NotWav,        // refused by the header walk
  Stereo,        // reported in the comment block, no array written
  NoName,        // standard input ended before a name arrived
  NoInput,       // <name>.wav could not be opened
  CannotCreate,  // an output file could not be created
  ReadFailed,    // the input failed while its samples were read
};

struct ConvertResult {
  ConvertOutcome outcome;
  // Lab variant: the samples handed on to the experiment, at most the wave
  // buffer's size (0 after NotWav).
  std::uint32_t sampleCount;
  // Every output file reached the disk without a write error.
  bool filesWritten;
};

// True for the outcomes after which the program stops at once.
bool conversion_ends_program(ConvertOutcome outcome);

// The interactive conversion: prompts on `console`, reads the base name from
// `names`, converts <name>.wav into wav_<name>.h in the current directory and
// prints the closing message.
ConvertResult convert_wav(TextWriter& console, std::FILE* names);

// The lab variant: also writes the size constant into the header file and the
// plot script m<name>.m, stores the samples in `waveBuf` (as many as fit),
// and prints its own closing line.
ConvertResult convert_wav(TextWriter& console, std::FILE* names, std::span<unsigned char> waveBuf);
