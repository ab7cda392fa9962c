#include "conversion/names.h"

namespace {

bool is_space(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool is_identifier_byte(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace

std::optional<std::string> read_base_name(std::FILE* in) {
  int c = std::getc(in);
  while (c != EOF && is_space(c)) c = std::getc(in);
  if (c == EOF) return std::nullopt;
  std::string word;
  while (c != EOF && !is_space(c)) {
    word.push_back(static_cast<char>(c));
    c = std::getc(in);
  }
  return word;
}

ConversionNames derive_names(const std::string& baseName) {
  ConversionNames names;
  names.input = baseName + ".wav";
  names.header = "wav_" + baseName + ".h";
  names.plotScript = "m" + baseName + ".m";
  // Bytes a C identifier cannot hold (dots, dashes, GBK bytes) become '_',
  // as xxd -i does, so every name gives an array that compiles.
  names.array = "wav_";
  for (char c : baseName) names.array.push_back(is_identifier_byte(c) ? c : '_');
  names.sizeDefine = "#define size_" + names.array;
  return names;
}
