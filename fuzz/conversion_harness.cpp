#include "fuzz/conversion_harness.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "adpcm/adpcm_codec.h"
#include "conversion/convert_wav.h"

namespace {

std::uint8_t waveBuf[kSampleBufferSize];
std::uint8_t adpcmBuf[kSampleBufferSize];
std::uint8_t pcmBuf[kSampleBufferSize];
std::uint8_t reconstruction[kSampleBufferSize];

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
    convert_wav(out, names);
  } else {
    std::memset(waveBuf, 0, sizeof waveBuf);
    std::memset(adpcmBuf, 0, sizeof adpcmBuf);
    const ConvertResult result = convert_wav(out, names, waveBuf);
    if (result.sampleCount > kSampleBufferSize) __builtin_trap();
    adpcm_encode(waveBuf, result.sampleCount, adpcmBuf, reconstruction);
    adpcm_decode(adpcmBuf, result.sampleCount, pcmBuf);
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
