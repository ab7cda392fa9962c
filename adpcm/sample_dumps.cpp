#include "adpcm/sample_dumps.h"

#include "textout/byte_text.h"
#include "textout/texts.h"

bool write_hex_list(TextWriter& console, const std::uint8_t* buf, std::uint32_t n,
                    const std::string& fileName) {
  TextWriter file(fileName);
  if (!file.is_open()) {
    console.text(texts::kDumpCreateFailed);
    return false;
  }
  for (std::uint32_t i = 0; i < n; ++i) {
    char* p = file.space(7);
    p[0] = '0';
    p[1] = 'x';
    put_hex2(p + 2, buf[i]);
    p[4] = ',';
    std::size_t len = 5;
    if ((i + 1) % 10 == 0) {
      p[len++] = '\r';
      p[len++] = '\n';
    }
    file.advance(len);
  }
  return close_or_report(file, console);
}

bool write_plot_script(TextWriter& console, const std::uint8_t* buf, std::uint32_t n,
                       const std::string& fileName) {
  TextWriter file(fileName);
  if (!file.is_open()) {
    console.text(texts::kPlotCreateFailed);
    return false;
  }
  file.print(texts::kPlotOpen, {n - 1});
  for (std::uint32_t i = 0; i < n; ++i) {
    char* p = file.space(4);
    const std::size_t len = put_decimal(p, buf[i]);
    p[len] = ' ';
    file.advance(len + 1);
  }
  file.text(texts::kPlotClose);
  return close_or_report(file, console);
}
