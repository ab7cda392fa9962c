#include "conversion/header_file.h"

#include "textout/texts.h"

void write_comment_opening(TextWriter& header, const WavHeaderInfo& info) {
  header.text(texts::kCommentOpen);
  header.text(texts::kCreditLine);
  header.text(texts::kDateLine);
  header.print(texts::kCommentRate, {info.sampleRate});
}

void write_comment_stereo(TextWriter& header) { header.text(texts::kCommentStereo); }

void write_comment_mono(TextWriter& header, const WavHeaderInfo& info) {
  header.text(texts::kCommentMono);
  header.print(texts::kCommentBits, {info.bitsPerSample});
  header.text(texts::kCommentClose);
}

void write_size_define(TextWriter& header, std::string_view sizeDefine, std::uint32_t dataSize) {
  header.print("\n%s   %d\n", {sizeDefine, dataSize});
}

double duration_seconds(std::uint32_t dataSize) {
  constexpr float kSecondsPerByte = 0.000125f;
  return static_cast<double>(dataSize) * static_cast<double>(kSecondsPerByte);
}

void write_array_head(TextWriter& header, std::string_view array, std::uint32_t dataSize) {
  header.print(texts::kArrayHead, {array, dataSize, duration_seconds(dataSize)});
}

void write_array_close(TextWriter& header) { header.text("\n};\n"); }
