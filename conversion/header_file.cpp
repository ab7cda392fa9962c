#include "conversion/header_file.h"

#include "textout/byte_text.h"
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

void write_size_define(TextWriter& header, const std::string& sizeDefine, std::uint32_t dataSize) {
  header.print("\n%s   %d\n", {std::string_view(sizeDefine), dataSize});
}

double duration_seconds(std::uint32_t dataSize) {
  constexpr float kSecondsPerByte = 0.000125f;
  return static_cast<double>(dataSize) * static_cast<double>(kSecondsPerByte);
}

void write_array_head(TextWriter& header, const std::string& array, std::uint32_t dataSize) {
  header.print(texts::kArrayHead,
               {std::string_view(array), dataSize, duration_seconds(dataSize)});
}

void write_array_entries(ArrayBody& body, const unsigned char* samples, std::size_t n) {
  for (std::size_t k = 0; k < n; ++k) {
    char* p = body.header.space(8);
    p[0] = '0';
    p[1] = 'x';
    std::size_t len = 2 + put_hex2(p + 2, samples[k]);
    ++body.written;
    if (body.commaAfterLast || body.written < body.total) p[len++] = ',';
    if (body.written % 10 == 0) {
      p[len++] = '\r';
      p[len++] = '\n';
      p[len++] = '\t';
    }
    body.header.advance(len);
  }
}

void write_array_close(TextWriter& header) { header.text("\n};\n"); }

void write_plot_open(TextWriter& plot, std::uint32_t count) {
  plot.print(texts::kPlotOpen, {count - 1});
}

void write_plot_values(TextWriter& plot, const unsigned char* samples, std::size_t n) {
  for (std::size_t k = 0; k < n; ++k) {
    char* p = plot.space(4);
    p[0] = ' ';
    plot.advance(1 + put_decimal(p + 1, samples[k]));
  }
}

void write_plot_close(TextWriter& plot) { plot.text(texts::kPlotClose); }
