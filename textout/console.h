#pragma once

#include "textout/text_writer.h"

// The encoding of the console's texts. Pipes and files get the canonical GBK
// bytes; a terminal whose locale uses UTF-8 gets UTF-8, so the Chinese texts
// read correctly on an ordinary terminal. Only the character type follows the
// locale: numbers are formatted by the tools themselves, never by it.
Encoding console_encoding();
