#pragma once

#include <string>
#include <string_view>

// Converts one of the tools' own UTF-8 texts to GBK bytes. ASCII passes
// through unchanged; a character outside the tools' fixed table becomes '?'.
std::string utf8_to_gbk(std::string_view utf8);
