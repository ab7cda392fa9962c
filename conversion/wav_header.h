#pragma once

#include <cstdint>

#include "conversion/input_file.h"
#include "textout/text_writer.h"

// An 8-byte chunk header: four id bytes, then the payload size.
struct ChunkHeader {
  char id[4];
  std::uint32_t size;
};

// What the walk reads of the RIFF header, the format chunk and the data
// chunk header.
struct WavHeaderInfo {
  // RIFF header
  std::uint32_t riffSize;
  // format chunk
  std::uint32_t fmtSize;
  std::uint16_t formatTag;
  std::uint16_t channels;
  std::uint32_t sampleRate;
  std::uint32_t byteRate;
  std::uint16_t blockAlign;
  std::uint16_t bitsPerSample;
  // data chunk header: the id as found, and the sample bytes it claims
  char dataId[4];
  std::uint32_t dataSize;
};

// Unscoped, so the outcomes read as WalkOk and NotWav where they are used.
enum WalkResult { WalkOk, NotWav };

// Reads the headers from the start of `in`, reporting each field on the
// console, and on WalkOk leaves `in` on the first sample byte with every field
// of `info` set. The chunk after the format chunk is taken as `fact` or, when
// it is not, the file is read again from the start and the report repeated.
// Unexpected chunks before the format and data chunks are skipped. A header
// that runs past the end of the file ends the walk with NotWav.
WalkResult read_wav_header(InputFile& in, WavHeaderInfo& info, TextWriter& console);
