#include "adpcm/sample_dumps.h"

#include "textout/byte_runs.h"
#include "textout/plot_script.h"
#include "textout/texts.h"

namespace {

void write_values(TextWriter& file, const ByteRunLayout& layout,
                  std::span<const std::uint8_t> bytes) {
  ByteRun run{file, layout, bytes.size()};
  write_byte_run(run, bytes.data(), bytes.size());
}

}  // namespace

bool write_hex_list(TextWriter& console, std::span<const std::uint8_t> bytes,
                    const std::string& fileName) {
  TextWriter file(fileName);
  if (!file.is_open()) {
    console.text(texts::kDumpCreateFailed);
    return false;
  }
  write_values(file, kHexListEntries, bytes);
  return close_or_report(file, console);
}

bool write_plot_script(TextWriter& console, std::span<const std::uint8_t> bytes,
                       const std::string& fileName) {
  TextWriter file(fileName);
  if (!file.is_open()) {
    console.text(texts::kPlotCreateFailed);
    return false;
  }
  write_plot_open(file, static_cast<std::uint32_t>(bytes.size()));
  write_values(file, kPlotValues, bytes);
  write_plot_close(file);
  return close_or_report(file, console);
}
