#pragma once

// What the tools must print and write, built from the rules in UTF-8 and
// turned into GBK by iconv, shared by the end-to-end tests of both tools.

#include <cstdint>
#include <string>
#include <string_view>

namespace expected {

inline const std::string kPrompt = "\n\n      请输入WAV文件的路径!\n\n不用加扩展名!\n";

// Console bytes as the tools must write them to a pipe: GBK, CR LF.
std::string console_gbk(std::string_view utf8);

// The six format lines of the report.
std::string format_lines_utf8(int tag, int channels, std::uint32_t rate, int bits);
// The report of the RIFF header and a format chunk of `fmtSize` bytes.
std::string riff_report_utf8(std::uint32_t riffSize, std::uint32_t fmtSize,
                             std::string_view formatLines);
// The same for a 16-byte PCM format chunk.
std::string report_utf8(std::uint32_t riffSize, std::uint32_t rate = 8000, int bits = 8,
                        int channels = 1);
std::string data_utf8(std::int64_t size);

// The comment block down to the sample-rate line.
std::string comment_opening_utf8(std::uint32_t rate);
// The whole comment block of a mono file, GBK, CR LF.
std::string mono_comment_gbk(std::uint32_t rate, int bits);
std::string array_head_gbk(std::string_view name, std::int64_t size, std::string_view seconds);

}  // namespace expected
