#pragma once

#include <cstdint>
#include <string>

#include "textout/text_writer.h"

// Writers that put a byte buffer into a file of the current directory, so the
// experiment's signals can be read or plotted elsewhere. A file that cannot be
// created is reported on the console and skipped; a failed write is reported
// when the file is closed. Each returns true when its file was written whole.

// "0x%02x," per byte, ten to a line.
bool write_hex_list(TextWriter& console, const std::uint8_t* buf, std::uint32_t n,
                    const std::string& fileName);
// A MATLAB script plotting the bytes against their index, in red.
bool write_plot_script(TextWriter& console, const std::uint8_t* buf, std::uint32_t n,
                       const std::string& fileName);
