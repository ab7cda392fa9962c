#pragma once

#include <string_view>

#include "textout/text_writer.h"

// The two options every command-line user tries first. When argv[1] is
// --help or --version, prints the usage text or "<tool> <version>" on
// `console` and returns true: the program then ends with status 0. Any other
// argument is ignored, as the tools take their input from the prompt.
bool handle_standard_options(int argc, char** argv, std::string_view tool, std::string_view usage,
                             TextWriter& console);
