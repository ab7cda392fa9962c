#include "textout/plot_script.h"

#include "textout/texts.h"

void write_plot_open(TextWriter& script, std::uint32_t count) {
  script.print(texts::kPlotOpen, {count - 1});
}

void write_plot_close(TextWriter& script) { script.text(texts::kPlotClose); }
