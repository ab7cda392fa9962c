#include "conversion/names.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

bool is_space(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool is_identifier_byte(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace

TypedPath read_typed_path(std::FILE* in) {
  int c = std::getc(in);
  while (c != EOF && is_space(c)) c = std::getc(in);
  if (c == EOF) return {TypedPath::Kind::NoWord, {}};
  std::string word;
  while (c != EOF && !is_space(c)) {
    if (word.size() == kMaxTypedPath) return {TypedPath::Kind::TooLong, {}};
    word.push_back(static_cast<char>(c));
    c = std::getc(in);
  }
  return {TypedPath::Kind::Word, std::move(word)};
}

std::string_view last_component(std::string_view path) {
  std::size_t start = 0;
#ifdef _WIN32
  // Names are in the ANSI code page, where the second byte of a double-byte
  // character can be 0x5C: only a byte that starts a character separates.
  if (path.size() >= 2 && path[1] == ':') start = 2;
  for (std::size_t i = start; i < path.size(); ++i) {
    if (path[i] == '/' || path[i] == '\\') {
      start = i + 1;
    } else if (IsDBCSLeadByte(static_cast<BYTE>(path[i])) && i + 1 < path.size()) {
      ++i;
    }
  }
#else
  const std::size_t slash = path.find_last_of('/');
  if (slash != std::string_view::npos) start = slash + 1;
#endif
  return path.substr(start);
}

ConversionNames derive_names(const std::string& typedPath) {
  const std::string name(last_component(typedPath));
  ConversionNames names;
  names.input = typedPath + ".wav";
  names.header = "wav_" + name + ".h";
  names.plotScript = "m" + name + ".m";
  // Bytes a C identifier cannot hold (dots, dashes, GBK bytes) become '_',
  // as xxd -i does, so every name gives an array that compiles.
  names.array = "wav_";
  for (char c : name) names.array.push_back(is_identifier_byte(c) ? c : '_');
  names.sizeDefine = "#define size_" + names.array;
  return names;
}
