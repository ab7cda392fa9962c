#include "conversion/convert_input.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "conversion/header_file.h"
#include "conversion/wav_header.h"
#include "textout/byte_runs.h"
#include "textout/plot_script.h"
#include "textout/texts.h"

namespace {

constexpr std::size_t kReadBlock = 64 * 1024;

// Only the bytes really present are converted: nothing is made up.
std::uint32_t effective_data_size(const InputFile& input, const WavHeaderInfo& info,
                                  TextWriter& console) {
  if (input.remaining() >= info.dataSize) return info.dataSize;
  const auto present = static_cast<std::uint32_t>(input.remaining());
  console.print(texts::kDataIncomplete, {present});
  return present;
}

// Streams `size` sample bytes from the input into the array and wherever else
// the variant sends them. False on a failed read.
bool copy_samples(InputFile& input, std::uint32_t size, const ConversionVariant& variant,
                  ConversionOutputs outputs) {
  static std::uint8_t block[kReadBlock];  // static: the tools run on a small stack
  ByteRun array{outputs.header, variant.commaAfterLast ? kArrayEntries : kArrayEntriesLastBare,
                size};
  std::optional<ByteRun> plot;
  if (outputs.plotScript != nullptr) {
    plot.emplace(*outputs.plotScript, kSamplePlotValues, size);
  }
  std::uint32_t done = 0;
  while (done < size) {
    const std::size_t n = std::min<std::size_t>(size - done, sizeof block);
    if (!input.read(block, n)) return false;
    write_byte_run(array, block, n);
    if (plot) write_byte_run(*plot, block, n);
    if (done < variant.sampleCopy.size()) {
      const std::size_t fits = std::min<std::size_t>(n, variant.sampleCopy.size() - done);
      std::memcpy(variant.sampleCopy.data() + done, block, fits);
    }
    done += static_cast<std::uint32_t>(n);
  }
  return true;
}

}  // namespace

InputConversion convert_input(InputFile& input, const ConversionNames& names,
                              const ConversionVariant& variant, ConversionOutputs outputs,
                              TextWriter& console) {
  WavHeaderInfo info;
  if (read_wav_header(input, info, console) != WalkOk) return {ConvertOutcome::NotWav, 0};
  const std::uint32_t size = effective_data_size(input, info, console);
  // The report shows now, not after a long conversion.
  console.flush();

  write_comment_opening(outputs.header, info);
  if (info.channels == 2) {
    write_comment_stereo(outputs.header);
    return {ConvertOutcome::Stereo, size};
  }
  write_comment_mono(outputs.header, info);
  if (variant.sizeDefine) write_size_define(outputs.header, names.sizeDefine, size);
  write_array_head(outputs.header, names.array, size);
  if (outputs.plotScript != nullptr) write_plot_open(*outputs.plotScript, size);
  const bool copied = copy_samples(input, size, variant, outputs);
  write_array_close(outputs.header);
  if (outputs.plotScript != nullptr) write_plot_close(*outputs.plotScript);
  return {copied ? ConvertOutcome::Converted : ConvertOutcome::ReadFailed, size};
}
