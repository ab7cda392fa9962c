#pragma once

#include <cstdint>
#include <string_view>

#include "conversion/wav_header.h"
#include "textout/text_writer.h"

// Writers of the header file wav_<name>.h, piece by piece in the order the
// conversion reaches them. The array entries are a byte run (kArrayEntries).

// "/*", the title, the two attribution lines and the sample-rate line.
void write_comment_opening(TextWriter& header, const WavHeaderInfo& info);
// The stereo line: the comment block stays open, as nothing follows it.
void write_comment_stereo(TextWriter& header);
// The mono line, the bit depth and the end of the comment block.
void write_comment_mono(TextWriter& header, const WavHeaderInfo& info);
// An empty line, then the size constant with the count of sample bytes.
void write_size_define(TextWriter& header, std::string_view sizeDefine, std::uint32_t dataSize);

// Seconds of sound at one byte per sample at 8 kHz, whatever the real format:
// the factor is the single-precision 0.000125, as the firmware side uses it.
double duration_seconds(std::uint32_t dataSize);
// "flash unsigned char wav_<name>[]={" with the size and duration comment,
// then the tab that opens the first line of entries.
void write_array_head(TextWriter& header, std::string_view array, std::uint32_t dataSize);
void write_array_close(TextWriter& header);
