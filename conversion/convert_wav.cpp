#include "conversion/convert_wav.h"

#include <algorithm>
#include <optional>
#include <string>

#include "conversion/header_file.h"
#include "conversion/input_file.h"
#include "conversion/names.h"
#include "conversion/wav_header.h"
#include "textout/texts.h"

namespace {

struct LabOutputs {
  std::span<unsigned char> waveBuf;
  TextWriter* plot;
};

// Streams `size` sample bytes from the input into the array (and, for the
// lab, into the plot script and the wave buffer). False on a failed read.
bool copy_samples(InputFile& input, std::uint32_t size, TextWriter& header, const LabOutputs* lab) {
  static unsigned char block[64 * 1024];
  ArrayBody body{header, size, lab == nullptr};
  std::uint32_t done = 0;
  while (done < size) {
    const std::size_t n = std::min<std::size_t>(size - done, sizeof block);
    if (!input.read(block, n)) return false;
    write_array_entries(body, block, n);
    if (lab != nullptr) {
      if (done < lab->waveBuf.size()) {
        const std::size_t fits = std::min<std::size_t>(n, lab->waveBuf.size() - done);
        std::copy_n(block, fits, lab->waveBuf.begin() + done);
      }
      write_plot_values(*lab->plot, block, n);
    }
    done += static_cast<std::uint32_t>(n);
  }
  return true;
}

// Only the bytes really present are converted: nothing is made up.
std::uint32_t effective_data_size(const InputFile& input, const WavHeaderInfo& info,
                                  TextWriter& console) {
  if (input.remaining() >= info.dataSize) return info.dataSize;
  const auto present = static_cast<std::uint32_t>(input.remaining());
  console.print(texts::kDataIncomplete, {present});
  return present;
}

// Writes the header file (and the lab's plot script) once the walk has left
// `input` on the first of `size` sample bytes.
ConvertOutcome write_conversion(InputFile& input, const WavHeaderInfo& info, std::uint32_t size,
                                const ConversionNames& names, TextWriter& header,
                                const LabOutputs* lab) {
  write_comment_opening(header, info);
  if (info.channels == 2) {
    write_comment_stereo(header);
    return ConvertOutcome::Stereo;
  }
  write_comment_mono(header, info);
  if (lab != nullptr) write_size_define(header, names.sizeDefine, size);
  write_array_head(header, names.array, size);
  if (lab != nullptr) write_plot_open(*lab->plot, size);
  const bool copied = copy_samples(input, size, header, lab);
  write_array_close(header);
  if (lab != nullptr) write_plot_close(*lab->plot);
  return copied ? ConvertOutcome::Converted : ConvertOutcome::ReadFailed;
}

ConvertResult run_conversion(TextWriter& console, std::FILE* namesIn,
                             std::optional<std::span<unsigned char>> waveBuf) {
  const bool lab = waveBuf.has_value();
  console.text(texts::kPrompt);
  console.flush();
  const std::optional<std::string> baseName = read_base_name(namesIn);
  if (!baseName) {
    console.text(texts::kNoName);
    return {ConvertOutcome::NoName, 0, true};
  }
  const ConversionNames names = derive_names(*baseName);

  // A name with a NUL byte cannot name a file; opening it would open another.
  const bool nameUsable = baseName->find('\0') == std::string::npos;
  InputFile input(nameUsable ? names.input : std::string());
  if (!nameUsable || !input.is_open()) {
    console.text(texts::kNoSuchFile);
    return {ConvertOutcome::NoInput, 0, true};
  }
  TextWriter header(names.header);
  std::optional<TextWriter> plot;
  if (lab) plot.emplace(names.plotScript);
  if (!header.is_open() || (plot && !plot->is_open())) {
    console.text(texts::kCreateFailed);
    return {ConvertOutcome::CannotCreate, 0, true};
  }

  ConvertOutcome outcome = ConvertOutcome::NotWav;
  std::uint32_t size = 0;
  WavHeaderInfo info;
  if (read_wav_header(input, info, console) == WalkResult::WalkOk) {
    size = effective_data_size(input, info, console);
    const LabOutputs labOutputs{lab ? *waveBuf : std::span<unsigned char>(), plot ? &*plot : nullptr};
    outcome = write_conversion(input, info, size, names, header, lab ? &labOutputs : nullptr);
  }

  bool written = close_or_report(header, console);
  if (plot && !close_or_report(*plot, console)) written = false;
  switch (outcome) {
    case ConvertOutcome::NotWav: console.text(texts::kClosingNotWav); break;
    case ConvertOutcome::Stereo: console.text(texts::kClosingStereo); break;
    case ConvertOutcome::ReadFailed:
      console.print(texts::kReadFailed, {std::string_view(names.input)});
      return {outcome, 0, written};
    default: break;
  }
  if (!lab) return {outcome, size, written};

  if (size > waveBuf->size()) {
    console.text(texts::kLabOverflow);
    size = static_cast<std::uint32_t>(waveBuf->size());
  }
  console.text(texts::kLabDone);
  return {outcome, size, written};
}

}  // namespace

bool conversion_ends_program(ConvertOutcome outcome) {
  return outcome == ConvertOutcome::NoName || outcome == ConvertOutcome::NoInput ||
         outcome == ConvertOutcome::CannotCreate || outcome == ConvertOutcome::ReadFailed;
}

ConvertResult convert_wav(TextWriter& console, std::FILE* names) {
  return run_conversion(console, names, std::nullopt);
}

ConvertResult convert_wav(TextWriter& console, std::FILE* names, std::span<unsigned char> waveBuf) {
  return run_conversion(console, names, waveBuf);
}
