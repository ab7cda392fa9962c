// Every text the tools show or write that is not pure ASCII data, kept here in
// UTF-8 so the source stays readable. The writers turn them into GBK (code
// page 936) bytes, or leave them UTF-8 for a UTF-8 terminal. Format
// directives (%d, %04x, %s, %c, %3f) are expanded by format_text.
#pragma once

#include <array>
#include <string_view>

namespace texts {

// Header walk report.
inline constexpr std::string_view kNotWavFormat = "不是WAV格式文件\n";
inline constexpr std::string_view kWavFormat = "WAV格式文件\n";
inline constexpr std::string_view kRiffSize = "wav文件数据大小:%d\n";
inline constexpr std::string_view kFormatChunkSize = "Format Chunk Size:%d\n";
inline constexpr std::string_view kFormatTag = "编码方式:%04x\n";
inline constexpr std::string_view kChannels = "声道数:%04x\n";
inline constexpr std::string_view kSampleRate = "采样频率(sps):%d\n";
inline constexpr std::string_view kBitsPerSample = "每个采样的bits:%d\n";
inline constexpr std::string_view kByteRate = "每秒所需字节数:%d\n";
inline constexpr std::string_view kBlockAlign = "数据块对齐单位:%d\n";
inline constexpr std::string_view kFact = "fact\n";
inline constexpr std::string_view kDataId = "%c%c%c%c\n";
inline constexpr std::string_view kDataSize = "采样数据大小(byte):%d\n";

// Conversion run: console.
inline constexpr std::string_view kPrompt =
    "\n\n      请输入WAV文件的路径!\n\n不用加扩展名!\n";
inline constexpr std::string_view kNoName = "\a没有输入文件名\n";
inline constexpr std::string_view kNoSuchFile = "没有此文件\n";
inline constexpr std::string_view kCreateFailed = "建立文件失败\n";
inline constexpr std::string_view kDataIncomplete =
    "\a数据块不完整,实际数据大小(byte):%d\n";
inline constexpr std::string_view kReadFailed = "\a读取文件失败:%s\n";
inline constexpr std::string_view kWriteFailed = "\a写入文件失败:%s\n";
inline constexpr std::string_view kClosingNotWav = "\a不是WAV文件";
inline constexpr std::string_view kClosingStereo = "\a立体声!!";
inline constexpr std::string_view kLabOverflow =
    "\a采样数据超过65535字节,实验只取前65535字节\n";
inline constexpr std::string_view kLabDone = "\a\n完成!!\n";

// Conversion run: the header file's comment block and array head.
inline constexpr std::string_view kCommentOpen =
    "/*\n******************** PCM编码数据文件 **********************\n";
inline constexpr std::string_view kCreditLine =
    "** 制作:wavtoh 转换工具,生成后请勿手工修改\n";
// The creation time is fixed, not the run's: the same WAV file always gives
// the same header file, so a regenerated header shows no change in version
// control and firmware builds stay reproducible.
inline constexpr std::string_view kDateLine = "** 创建时间:2026年12月11日 08:00:00\n";
inline constexpr std::string_view kCommentRate = "** 采样频率:%d sps\n";
inline constexpr std::string_view kCommentStereo = "** 立体声\n";
inline constexpr std::string_view kCommentMono = "** 单声道\n";
inline constexpr std::string_view kCommentBits = "** 采样位数:%d bit\n";
inline constexpr std::string_view kCommentClose =
    "***********************************************************\n*/\n";
inline constexpr std::string_view kArrayHead =
    "flash unsigned char %s[]={//数据大小:%d 时间长度:%3f\n\t";

// The frame of every MATLAB plot script: `t` as the indices 0..n-1 (the
// bound printed signed, so -1 when empty), then `y`, plotted in red.
inline constexpr std::string_view kPlotOpen = "t=0:1:%d;\ny=[";
inline constexpr std::string_view kPlotClose = "];\nplot(t,y,'r');";

// Sample dumps.
inline constexpr std::string_view kDumpCreateFailed = "创建文件失败!\n";
inline constexpr std::string_view kPlotCreateFailed = "创建文件m失败!\n";

// For the encoding test: every text above.
inline constexpr std::array kAll = {
    kNotWavFormat,   kWavFormat,       kRiffSize,       kFormatChunkSize,
    kFormatTag,      kChannels,        kSampleRate,     kBitsPerSample,
    kByteRate,       kBlockAlign,      kFact,           kDataId,
    kDataSize,       kPrompt,          kNoName,         kNoSuchFile,
    kCreateFailed,   kDataIncomplete,  kReadFailed,     kWriteFailed,
    kClosingNotWav,  kClosingStereo,   kLabOverflow,    kLabDone,
    kCommentOpen,    kCreditLine,      kDateLine,       kCommentRate,
    kCommentStereo,  kCommentMono,     kCommentBits,    kCommentClose,
    kArrayHead,      kPlotOpen,        kPlotClose,      kDumpCreateFailed,
    kPlotCreateFailed,
};

}  // namespace texts
