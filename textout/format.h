#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

// One argument of format_text: an integer, a byte string or a real number.
struct FormatArg {
  enum class Kind { Integer, Bytes, Real };
  Kind kind;
  std::int64_t integer = 0;
  std::string_view bytes;
  double real = 0.0;

  FormatArg(std::int32_t v) : kind(Kind::Integer), integer(v) {}    // NOLINT
  FormatArg(std::uint32_t v) : kind(Kind::Integer), integer(v) {}   // NOLINT
  FormatArg(std::uint16_t v) : kind(Kind::Integer), integer(v) {}   // NOLINT
  FormatArg(char v) : kind(Kind::Integer), integer(static_cast<unsigned char>(v)) {}  // NOLINT
  FormatArg(std::string_view v) : kind(Kind::Bytes), bytes(v) {}    // NOLINT
  FormatArg(double v) : kind(Kind::Real), real(v) {}                // NOLINT
};

// Expands the printf-style directives the tools use, never following the
// locale: %d (signed 32-bit: larger values wrap), %04x and %02x (lower-case
// hex, zero-filled), %c (the byte itself), %s (bytes as they are), %3f (six
// decimals, "." as the point) and %%. Everything else is copied unchanged.
std::string format_text(std::string_view fmt, std::initializer_list<FormatArg> args);

// Appends the decimal digits of v to out.
void append_decimal(std::string& out, std::int64_t v);
