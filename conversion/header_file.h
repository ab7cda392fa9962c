#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "conversion/wav_header.h"
#include "textout/text_writer.h"

// Writers of the header file wav_<name>.h and of the sample plot script.

// "/*", the title, the two attribution lines and the sample-rate line.
void write_comment_opening(TextWriter& header, const WavHeaderInfo& info);
// The stereo line: the comment block stays open, as nothing follows it.
void write_comment_stereo(TextWriter& header);
// The mono line, the bit depth and the end of the comment block.
void write_comment_mono(TextWriter& header, const WavHeaderInfo& info);
// An empty line, then the size constant with the count of sample bytes.
void write_size_define(TextWriter& header, const std::string& sizeDefine, std::uint32_t dataSize);

// Seconds of sound at one byte per sample at 8 kHz, whatever the real format:
// the factor is the single-precision 0.000125, as the firmware side uses it.
double duration_seconds(std::uint32_t dataSize);
void write_array_head(TextWriter& header, const std::string& array, std::uint32_t dataSize);

// The array's entries, ten to a line, written block by block as the samples
// are read. The plain form ends every entry with a comma; the lab form leaves
// it off the last one.
struct ArrayBody {
  TextWriter& header;
  std::uint32_t total;
  bool commaAfterLast;
  std::uint32_t written = 0;
};
void write_array_entries(ArrayBody& body, const unsigned char* samples, std::size_t n);
void write_array_close(TextWriter& header);

// The sample plot script: "t=0:1:<n-1>;", then " <value>" for each sample.
void write_plot_open(TextWriter& plot, std::uint32_t count);
void write_plot_values(TextWriter& plot, const unsigned char* samples, std::size_t n);
void write_plot_close(TextWriter& plot);
