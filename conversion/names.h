#pragma once

#include <cstdio>
#include <optional>
#include <string>

// Reads one word as scanf("%s") does: leading white space (space, tab, CR,
// LF, VT, FF) skipped, the word ending at the next such byte or at the end of
// input. Bytes 0x80..0xFF belong to the word, so GBK names work. Empty when
// the input ends before any word.
std::optional<std::string> read_base_name(std::FILE* in);

// Every name derived from the typed base name, each an exact concatenation of
// its bytes, whatever their length.
struct ConversionNames {
  std::string input;       // <name>.wav
  std::string header;      // wav_<name>.h
  std::string plotScript;  // m<name>.m
  std::string array;       // wav_<name>, made a valid C identifier
  std::string sizeDefine;  // #define size_wav_<name>
};

ConversionNames derive_names(const std::string& baseName);
