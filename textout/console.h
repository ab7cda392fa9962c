#pragma once

#include <cstddef>
#include <cstdio>

#include "textout/encoding.h"

// Sets standard output up for the tools' texts and tells how they must be
// encoded there. Pipes and files always get the canonical GBK bytes (the
// stream is switched to binary, so no platform adds a CR). A terminal whose
// locale uses UTF-8 gets UTF-8, so the Chinese texts read correctly on an
// ordinary Linux terminal; a Windows console gets them through the system's
// code page 936 converter, whatever the console's own code page. Only the
// character type follows the locale: numbers are formatted by the tools.
Encoding prepare_console_output();

#ifdef _WIN32
// Shows GBK bytes on the Windows console behind `stream`. Returns how many
// bytes were taken: a lead byte whose partner has not arrived yet is left for
// the next call. Negative on failure.
long long write_windows_console(std::FILE* stream, const char* gbk, std::size_t n);
#endif
