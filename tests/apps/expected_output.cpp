#include "tests/apps/expected_output.h"

#include "tests/support/test_support.h"

namespace expected {

using testing_support::crlf;
using testing_support::iconv_gbk;

std::string console_gbk(std::string_view utf8) { return iconv_gbk(crlf(utf8)); }

std::string format_lines_utf8(int tag, int channels, std::uint32_t rate, int bits) {
  const int align = channels * ((bits + 7) / 8);
  const char hexTag[] = {'0', '0', '0', static_cast<char>('0' + tag), '\0'};
  return "编码方式:" + std::string(hexTag) + "\n声道数:000" + std::to_string(channels) +
         "\n采样频率(sps):" + std::to_string(rate) + "\n每个采样的bits:" + std::to_string(bits) +
         "\n每秒所需字节数:" + std::to_string(rate * static_cast<std::uint32_t>(align)) +
         "\n数据块对齐单位:" + std::to_string(align) + "\n";
}

std::string riff_report_utf8(std::uint32_t riffSize, std::uint32_t fmtSize,
                             std::string_view formatLines) {
  // %d prints the 32-bit field signed.
  return "WAV格式文件\nwav文件数据大小:" + std::to_string(static_cast<std::int32_t>(riffSize)) +
         "\nFormat Chunk Size:" + std::to_string(fmtSize) + "\n" + std::string(formatLines);
}

std::string report_utf8(std::uint32_t riffSize, std::uint32_t rate, int bits, int channels) {
  return riff_report_utf8(riffSize, 16, format_lines_utf8(1, channels, rate, bits));
}

std::string data_utf8(std::int64_t size) {
  return "data\n采样数据大小(byte):" + std::to_string(size) + "\n";
}

std::string comment_opening_utf8(std::uint32_t rate) {
  return "/*\n******************** PCM编码数据文件 **********************\n"
         "** 制作:wavtoh 转换工具,生成后请勿手工修改\n"
         "** 创建时间:2026年12月11日 08:00:00\n"
         "** 采样频率:" + std::to_string(rate) + " sps\n";
}

std::string mono_comment_gbk(std::uint32_t rate, int bits) {
  return iconv_gbk(crlf(comment_opening_utf8(rate) + "** 单声道\n** 采样位数:" +
                        std::to_string(bits) + " bit\n" +
                        "***********************************************************\n*/\n"));
}

std::string array_head_gbk(std::string_view name, std::int64_t size, std::string_view seconds) {
  return iconv_gbk(crlf("flash unsigned char " + std::string(name) + "[]={//数据大小:" +
                        std::to_string(size) + " 时间长度:" + std::string(seconds) + "\n\t"));
}

}  // namespace expected
