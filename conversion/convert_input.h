#pragma once

#include <cstdint>
#include <span>

#include "conversion/input_file.h"
#include "conversion/names.h"
#include "textout/text_writer.h"

// What the two tools' conversions differ in. wavtoh uses kPlainVariant;
// adpcmlab adds the size constant and the sample plot script, drops the
// array's last comma, and keeps the samples for its experiment.
struct ConversionVariant {
  bool sizeDefine;        // "#define size_wav_<name>   <bytes>" before the array
  bool commaAfterLast;    // the array's last entry keeps its comma
  bool samplePlotScript;  // m<name>.m plots the samples
  std::span<std::uint8_t> sampleCopy;  // also gets the samples, as many as fit
};
inline constexpr ConversionVariant kPlainVariant{false, true, false, {}};

enum class ConvertOutcome {
  Converted,     // the header file holds the whole array
  NotWav,        // refused by the header walk
  Stereo,        // reported in the comment block, no array written
  NoName,        // standard input ended before a name arrived
  NoInput,       // <name>.wav could not be opened
  CannotCreate,  // an output file could not be created
  ReadFailed,    // the input failed while its samples were read
};

// The files a conversion writes into; plotScript only for a variant with
// samplePlotScript.
struct ConversionOutputs {
  TextWriter& header;
  TextWriter* plotScript;
};

struct InputConversion {
  ConvertOutcome outcome;  // Converted, NotWav, Stereo or ReadFailed
  std::uint32_t dataSize;  // sample bytes converted (0 after NotWav)
};

// The heart of a conversion, from an open input to open outputs: walks the
// headers (reporting on `console`) and writes the header file and, for the
// lab, the sample plot script. Prints the data chunk's shortfall, not the
// closing message.
InputConversion convert_input(InputFile& input, const ConversionNames& names,
                              const ConversionVariant& variant, ConversionOutputs outputs,
                              TextWriter& console);
