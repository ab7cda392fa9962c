#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

// The longest word the prompt takes; a longer one names no file (paths are
// shorter on every system) and is refused without reading further.
inline constexpr std::size_t kMaxTypedPath = 4096;

// What the prompt read.
struct TypedPath {
  enum class Kind { Word, NoWord, TooLong } kind;
  std::string word;
};

// Reads one word as scanf("%s") does: leading white space (space, tab, CR,
// LF, VT, FF) skipped, the word ending at the next such byte or at the end of
// input. Bytes 0x80..0xFF belong to the word, so GBK names work. NoWord when
// the input ends before any word; TooLong, having read kMaxTypedPath + 1
// bytes of it, when the word is longer than kMaxTypedPath.
TypedPath read_typed_path(std::FILE* in);

// The last component of a typed path: what follows its last '/' (on Windows
// also '\', and a drive prefix such as "C:" is not part of the name).
std::string_view last_component(std::string_view path);

// Every name derived from the typed path. The input is read where the path
// points; the outputs are named from its last component and written into the
// current folder. Each is an exact concatenation of bytes, whatever the
// length.
struct ConversionNames {
  std::string input;       // <path>.wav
  std::string header;      // wav_<name>.h
  std::string plotScript;  // m<name>.m
  std::string array;       // wav_<name>, made a valid C identifier
  std::string sizeDefine;  // #define size_wav_<name>
};

ConversionNames derive_names(const std::string& typedPath);
