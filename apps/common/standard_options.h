#pragma once

#include <optional>
#include <string_view>

#include "textout/text_writer.h"

// The two options every command-line user tries first. When argv[1] is
// --help or --version, prints the usage text or "<tool> <version>" on
// `console` and returns the exit status: 0, or 1 when the console could not
// take it. Any other argument is ignored (nothing returned), as the tools take
// their input from the prompt.
std::optional<int> handle_standard_options(int argc, char** argv, std::string_view tool,
                                           std::string_view usage, TextWriter& console);
