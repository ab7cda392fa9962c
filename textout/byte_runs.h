#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "textout/text_writer.h"

// The header file's array, the hex lists and the value lists of the plot
// scripts are all one thing: an entry per byte with a separator, so many
// entries to a line. A layout says which; write_byte_run spells the bytes out
// from a prepared table, a line at a time, as large files need.
struct ByteRunLayout {
  bool hex;                 // "0x%02x" when true, else the decimal value
  char separator;           // ',' or ' '
  bool separatorFirst;      // the separator goes before each entry, not after
  bool separatorAfterLast;  // false: the run's last entry goes without it
  std::uint32_t perLine;    // entries a line; 0 keeps the run on one line
  std::string_view lineBreak;  // after each full line, CR LF already in it
};

// "0x%02x," ten to a line, each line after the first opened by a tab.
inline constexpr ByteRunLayout kArrayEntries{true, ',', false, true, 10, "\r\n\t"};
// The same without the comma after the last entry (adpcmlab's header file).
inline constexpr ByteRunLayout kArrayEntriesLastBare{true, ',', false, false, 10, "\r\n\t"};
// "0x%02x," ten to a line.
inline constexpr ByteRunLayout kHexListEntries{true, ',', false, true, 10, "\r\n"};
// "%d " on one line (the dumps' plot scripts).
inline constexpr ByteRunLayout kPlotValues{false, ' ', false, true, 0, ""};
// " %d" on one line (the conversion's sample plot script).
inline constexpr ByteRunLayout kSamplePlotValues{false, ' ', true, true, 0, ""};

// One run being written, possibly in pieces as the bytes arrive.
struct ByteRun {
  // Prepares a run of `total` entries to `out`.
  ByteRun(TextWriter& out, const ByteRunLayout& layout, std::uint64_t total);

  struct Entry {
    char text[8];  // read 8 at a time, whatever the entry's length
    std::uint8_t length;
  };
  TextWriter& out;
  const ByteRunLayout& layout;
  std::uint64_t total;  // entries the whole run will hold
  std::uint64_t written = 0;
  std::array<Entry, 256> entries{};
};

// Writes the next n entries.
void write_byte_run(ByteRun& run, const std::uint8_t* bytes, std::size_t n);
