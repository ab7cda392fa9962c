#pragma once

#include <cstddef>
#include <cstring>

// Text forms of a byte for the long generated runs (arrays, hex lists, plot
// values), written straight into a TextWriter's buffer: a per-byte printf
// would dominate the run time on large files.

// Writes two lower-case hex digits; returns the count written.
inline std::size_t put_hex2(char* p, unsigned char b) {
  constexpr char kDigits[] = "0123456789abcdef";
  p[0] = kDigits[b >> 4];
  p[1] = kDigits[b & 0x0F];
  return 2;
}

// Writes the decimal value 0..255 without padding; returns the count written.
inline std::size_t put_decimal(char* p, unsigned char b) {
  if (b >= 100) {
    p[0] = static_cast<char>('0' + b / 100);
    p[1] = static_cast<char>('0' + b / 10 % 10);
    p[2] = static_cast<char>('0' + b % 10);
    return 3;
  }
  if (b >= 10) {
    p[0] = static_cast<char>('0' + b / 10);
    p[1] = static_cast<char>('0' + b % 10);
    return 2;
  }
  p[0] = static_cast<char>('0' + b);
  return 1;
}
