#pragma once

#include <cstdint>

#include "textout/text_writer.h"

// The frame of every MATLAB plot script the tools write: `t` as the indices
// 0..n-1 (the bound printed signed, so -1 when empty), then the values of `y`,
// then the plot in red with no final line break. The conversion's sample plot
// script puts each value behind a space (kSamplePlotValues), the dumps put the
// space after it (kPlotValues).
void write_plot_open(TextWriter& script, std::uint32_t count);
void write_plot_close(TextWriter& script);
