#include "fuzz/conversion_harness.h"

#include <cstdio>
#include <algorithm>
#include <filesystem>


#include "adpcm/adpcm_codec.h"
#include "conversion/convert_input.h"
#include "conversion/convert_wav.h"

namespace {

// As large as adpcmlab's signal buffers.
constexpr std::size_t kSignalSize = 65535;

// Header file: 5 bytes an entry plus 3 per ten entries, and a comment block.
constexpr std::uintmax_t kHeaderBytesPerInputByte = 6;
constexpr std::uintmax_t kFixedBytes = 4096;

void check_growth(std::uint64_t grown, std::uintmax_t perByte, std::size_t inputSize) {
  if (grown > perByte * inputSize + kFixedBytes) __builtin_trap();
}

std::uint8_t waveBuf[kSignalSize];
std::uint8_t adpcmBuf[kSignalSize];
std::uint8_t pcmBuf[kSignalSize];
std::uint8_t predBuf[kSignalSize];

// The codec over the samples a lab conversion kept in waveBuf, as the
// experiment runs it.
void run_codec(std::uint32_t dataSize) {
  const std::size_t len = std::min<std::size_t>(dataSize, kSignalSize);
  adpcm_encode({waveBuf, len}, adpcmBuf, {predBuf, len});
  adpcm_decode(adpcmBuf, {pcmBuf, len});
}

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
    const ConvertResult result = convert_wav(out, names, {true, false, true, waveBuf});
    run_codec(result.dataSize);
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

void run_memory_conversion_harness(const std::uint8_t* data, std::size_t size) {
  // Long-lived writers over the null device: only their counts are looked at.
  static std::FILE* const sink = std::fopen("/dev/null", "wb");
  static TextWriter console(sink, "console", Encoding::Gbk);
  static TextWriter header(sink, "header", Encoding::Gbk);
  static TextWriter plot(sink, "plot", Encoding::Gbk);
  static const ConversionNames names = derive_names("f");
  if (size == 0) return;  // nothing to read from memory; the file harness covers it
  for (const bool lab : {false, true}) {
    std::FILE* stream = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (stream == nullptr) return;
    const ConversionVariant variant =
        lab ? ConversionVariant{true, false, true, waveBuf} : kPlainVariant;
    const std::uint64_t consoleBefore = console.bytes_written();
    const std::uint64_t headerBefore = header.bytes_written();
    const std::uint64_t plotBefore = plot.bytes_written();
    InputFile input(stream);
    const InputConversion result =
        convert_input(input, names, variant, {header, lab ? &plot : nullptr}, console);
    std::fclose(stream);
    check_growth(console.bytes_written() - consoleBefore, 0, 0);
    check_growth(header.bytes_written() - headerBefore, kHeaderBytesPerInputByte, size);
    check_growth(plot.bytes_written() - plotBefore, 4, size);
    if (lab) run_codec(result.dataSize);
  }
}
