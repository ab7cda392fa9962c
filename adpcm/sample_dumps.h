#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "textout/text_writer.h"

// Writers that put a byte buffer into a file of the current directory, so the
// experiment's signals can be read or plotted elsewhere. A file that cannot be
// created is reported on the console and skipped; a failed write is reported
// when the file is closed. Each returns true when its file was written whole.

// "0x%02x," per byte, ten to a line.
bool write_hex_list(TextWriter& console, std::span<const std::uint8_t> bytes,
                    const std::string& fileName);
// A MATLAB script plotting the bytes against their index, in red.
bool write_plot_script(TextWriter& console, std::span<const std::uint8_t> bytes,
                       const std::string& fileName);
