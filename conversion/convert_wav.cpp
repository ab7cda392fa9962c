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

bool close_checked(TextWriter& out, TextWriter& console) {
  if (out.close()) return true;
  console.print(texts::kWriteFailed, {std::string_view(out.name())});
  return false;
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

  ConvertOutcome outcome = ConvertOutcome::Converted;
  std::uint32_t size = 0;
  WavHeaderInfo info;
  if (read_wav_header(input, info, console) == WalkResult::NotWav) {
    outcome = ConvertOutcome::NotWav;
  } else {
    // Only the bytes really present are converted: nothing is made up.
    size = info.dataSize;
    if (input.remaining() < size) {
      size = static_cast<std::uint32_t>(input.remaining());
      console.print(texts::kDataIncomplete, {size});
    }
    write_comment_opening(header, info);
    if (info.channels == 2) {
      write_comment_stereo(header);
      outcome = ConvertOutcome::Stereo;
    } else {
      write_comment_mono(header, info);
      if (lab) write_size_define(header, names.sizeDefine, size);
      write_array_head(header, names.array, size);
      if (lab) write_plot_open(*plot, size);
      const LabOutputs labOutputs{lab ? *waveBuf : std::span<unsigned char>(), plot ? &*plot : nullptr};
      if (!copy_samples(input, size, header, lab ? &labOutputs : nullptr)) {
        outcome = ConvertOutcome::ReadFailed;
      }
      write_array_close(header);
      if (lab) write_plot_close(*plot);
    }
  }

  bool written = close_checked(header, console);
  if (plot && !close_checked(*plot, console)) written = false;
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
