#include "fuzz/conversion_harness.h"

#include <cstdio>
#include <algorithm>
#include <filesystem>

#include <vector>

#include "adpcm/adpcm_codec.h"
#include "conversion/convert_wav.h"

namespace {

// As large as adpcmlab's signal buffers.
constexpr std::size_t kSignalSize = 65535;

// Header file: 5 bytes an entry plus 3 per ten entries, and a comment block.
constexpr std::uintmax_t kHeaderBytesPerInputByte = 6;
constexpr std::uintmax_t kFixedBytes = 4096;

void check_bound(const char* path, std::uintmax_t perByte, std::size_t inputSize) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (!error && size > perByte * inputSize + kFixedBytes) __builtin_trap();
}

void convert(std::FILE* console, bool lab) {
  std::FILE* names = std::tmpfile();
  std::fputs("f", names);
  std::rewind(names);
  TextWriter out(console, "console", Encoding::Gbk);
  if (!lab) {
    convert_wav(out, names, kPlainVariant);
  } else {
    std::vector<std::uint8_t> wave(kSignalSize);
    const ConvertResult result = convert_wav(out, names, {true, false, true, wave});
    wave.resize(std::min<std::size_t>(result.dataSize, kSignalSize));
    std::vector<std::uint8_t> codes(wave.size() / 2);
    std::vector<std::uint8_t> pred(wave.size());
    std::vector<std::uint8_t> decoded(wave.size());
    adpcm_encode(wave, codes, pred);
    adpcm_decode(codes, decoded);
  }
  out.flush();
  std::fclose(names);
}

}  // namespace

void run_conversion_harness(const std::uint8_t* data, std::size_t size) {
  std::FILE* input = std::fopen("f.wav", "wb");
  if (input == nullptr) return;
  std::fwrite(data, 1, size, input);
  std::fclose(input);
  std::FILE* console = std::fopen("console.txt", "wb");
  if (console == nullptr) return;
  convert(console, false);
  check_bound("wav_f.h", kHeaderBytesPerInputByte, size);
  convert(console, true);
  check_bound("wav_f.h", kHeaderBytesPerInputByte, size);
  check_bound("mf.m", 4, size);
  std::fclose(console);
  // The console report is at most two passes of fixed lines.
  check_bound("console.txt", 0, 0);
}
