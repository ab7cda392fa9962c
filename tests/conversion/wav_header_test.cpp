#include "conversion/wav_header.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/apps/expected_output.h"
#include "tests/support/test_support.h"

namespace {

using namespace testing_support;

struct Walk {
  WalkResult result;
  WavHeaderInfo info;
  std::string console;  // UTF-8, CR LF line ends
  std::uint64_t position;
};

Walk walk(std::string_view bytes) {
  TempDir dir;
  write_file(dir / "in.wav", bytes);
  InputFile in((dir / "in.wav").string());
  EXPECT_TRUE(in.is_open());
  Walk w{};
  w.console = capture_console(Encoding::Utf8, [&](TextWriter& console) {
    w.result = read_wav_header(in, w.info, console);
  });
  w.position = in.position();
  return w;
}

// The report of the RIFF header and the format chunk, as the walk prints it.
std::string report(std::uint32_t riffSize, std::uint32_t fmtSize, std::string_view formatLines) {
  return crlf(expected::riff_report_utf8(riffSize, fmtSize, formatLines));
}

// 8-bit mono PCM at 8000 sps.
const std::string kMono8k = expected::format_lines_utf8(1, 1, 8000, 8);

std::string data_lines(std::string_view id, std::int64_t size) {
  return crlf(std::string(id) + "\n采样数据大小(byte):" + std::to_string(size) + "\n");
}

const std::string kRefused = crlf("不是WAV格式文件\n");

TEST(WavHeaderWalk, CanonicalFileReportsTwiceThenFindsTheData) {
  const std::string file = pcm8_mono("abc");  // 44-byte header, odd data
  const Walk w = walk(file);
  ASSERT_EQ(w.result, WalkResult::WalkOk);
  const std::string once = report(40, 16, kMono8k);
  EXPECT_EQ(w.console, once + once + data_lines("data", 3));
  EXPECT_EQ(w.position, 44u);
  EXPECT_EQ(w.info.dataSize, 3u);
  EXPECT_EQ(w.info.sampleRate, 8000u);
  EXPECT_EQ(w.info.channels, 1);
  EXPECT_EQ(w.info.bitsPerSample, 8);
}

TEST(WavHeaderWalk, FactChunkReportsOnce) {
  const std::string file = riff({chunk("fmt ", fmt_payload(1, 1, 8000, 8)),
                                 chunk("fact", le32(2)), chunk("data", "xy")});
  const Walk w = walk(file);
  ASSERT_EQ(w.result, WalkResult::WalkOk);
  EXPECT_EQ(w.console, report(50, 16, kMono8k) + crlf("fact\n") + data_lines("data", 2));
  EXPECT_EQ(w.position, 56u);
}

TEST(WavHeaderWalk, ReportsTheFieldsOfA16BitFile) {
  const std::string file =
      riff({chunk("fmt ", fmt_payload(3, 1, 22050, 16)), chunk("fact", le32(1)), chunk("data", "ab")});
  const Walk w = walk(file);
  ASSERT_EQ(w.result, WalkResult::WalkOk);
  EXPECT_EQ(w.console, report(50, 16, expected::format_lines_utf8(3, 1, 22050, 16)) +
                           crlf("fact\n") + data_lines("data", 2));
}

TEST(WavHeaderWalk, FormatExtensionsOfEverySizeAreSkipped) {
  for (std::size_t extra : {2u, 3u, 4u, 24u, 34u}) {
    const std::string ext(extra, '\x55');
    const std::uint32_t fmtSize = static_cast<std::uint32_t>(16 + extra);
    for (bool withFact : {true, false}) {
      const std::string file =
          withFact ? riff({chunk("fmt ", fmt_payload(1, 1, 8000, 8, ext)), chunk("fact", le32(9)),
                           chunk("data", "12345")})
                   : riff({chunk("fmt ", fmt_payload(1, 1, 8000, 8, ext)), chunk("data", "12345")});
      const Walk w = walk(file);
      SCOPED_TRACE("fmt size " + std::to_string(fmtSize) + (withFact ? " with fact" : ""));
      ASSERT_EQ(w.result, WalkResult::WalkOk);
      const std::string once = report(static_cast<std::uint32_t>(file.size() - 8), fmtSize, kMono8k);
      EXPECT_EQ(w.console, withFact ? once + crlf("fact\n") + data_lines("data", 5)
                                    : once + once + data_lines("data", 5));
      EXPECT_EQ(w.info.fmtSize, fmtSize);
      EXPECT_EQ(w.position, file.size() - 6);  // 5 data bytes and their pad byte follow
    }
  }
}

TEST(WavHeaderWalk, SkipsChunksBeforeTheFormatAndTheData) {
  // JUNK before fmt (odd size, with its pad byte), LIST and PEAK before data.
  const std::string file = riff({chunk("JUNK", "123"), chunk("fmt ", fmt_payload(1, 1, 8000, 8)),
                                 chunk("LIST", "INFOISFT\x05\0\0\0Lavf\0"), chunk("PEAK", "1234567"),
                                 chunk("data", "0123456789")});
  const Walk w = walk(file);
  ASSERT_EQ(w.result, WalkResult::WalkOk);
  const std::string once = report(static_cast<std::uint32_t>(file.size() - 8), 16, kMono8k);
  EXPECT_EQ(w.console, once + once + data_lines("data", 10));
  EXPECT_EQ(w.position, file.size() - 10);
}

TEST(WavHeaderWalk, SkipsALateFactAfterAFirstFact) {
  const std::string file = riff({chunk("fmt ", fmt_payload(1, 1, 8000, 8)), chunk("fact", "12345"),
                                 chunk("fact", le32(1)), chunk("data", "z")});
  const Walk w = walk(file);
  ASSERT_EQ(w.result, WalkResult::WalkOk);
  EXPECT_EQ(w.console, report(static_cast<std::uint32_t>(file.size() - 8), 16, kMono8k) +
                           crlf("fact\n") + data_lines("data", 1));
  EXPECT_EQ(w.position, file.size() - 2);
}

TEST(WavHeaderWalk, ConsumesALargeFactPayloadWhole) {
  const std::string payload(100, '\x77');
  const std::string file =
      riff({chunk("fmt ", fmt_payload(1, 1, 8000, 8)), chunk("fact", payload), chunk("data", "ab")});
  const Walk w = walk(file);
  ASSERT_EQ(w.result, WalkResult::WalkOk);
  EXPECT_EQ(w.info.dataSize, 2u);
  EXPECT_EQ(w.position, file.size() - 2);
}

TEST(WavHeaderWalk, AcceptsAnyFirstIdButOnlyTheWaveForm) {
  std::string notRiff = pcm8_mono("ab");
  notRiff.replace(0, 4, "RIFX");
  EXPECT_EQ(walk(notRiff).result, WalkResult::WalkOk);

  const Walk avi = walk(riff({chunk("avih", "1234")}, "AVI "));
  EXPECT_EQ(avi.result, WalkResult::NotWav);
  EXPECT_EQ(avi.console, kRefused);
}

TEST(WavHeaderWalk, ComparesChunkIdsExactly) {
  // "DATA" is not "data": no data chunk, so the file ends inside the headers.
  const std::string file = riff({chunk("fmt ", fmt_payload(1, 1, 8000, 8)), chunk("DATA", "ab")});
  const Walk w = walk(file);
  EXPECT_EQ(w.result, WalkResult::NotWav);
  const std::string once = report(38, 16, kMono8k);
  EXPECT_EQ(w.console, once + once + kRefused);
}

TEST(WavHeaderWalk, RefusesAFormatChunkSmallerThanItsFields) {
  const std::string file =
      riff({chunk("fmt ", fmt_payload(1, 1, 8000, 8).substr(0, 14)), chunk("data", "abcdef")});
  const Walk w = walk(file);
  EXPECT_EQ(w.result, WalkResult::NotWav);
  EXPECT_EQ(w.console, crlf("WAV格式文件\nwav文件数据大小:40\nFormat Chunk Size:14\n") + kRefused);
}

TEST(WavHeaderWalk, RefusesAFileEndingRightAfterTheFormatChunk) {
  const std::string file = riff({chunk("fmt ", fmt_payload(1, 1, 8000, 8))});
  const Walk w = walk(file);
  EXPECT_EQ(w.result, WalkResult::NotWav);
  EXPECT_EQ(w.console, report(28, 16, kMono8k) + kRefused);  // the report appears once
}

TEST(WavHeaderWalk, RefusesChunksThatRunPastTheEnd) {
  const std::string fmt = chunk("fmt ", fmt_payload(1, 1, 8000, 8));
  const std::string cases[] = {
      riff({fmt, chunk_claiming("fact", 8, "1234")}),                       // fact payload
      riff({fmt, chunk("fact", "1234"), chunk_claiming("LIST", 100, "")}),  // skipped chunk
      riff({chunk_claiming("fmt ", 40, fmt_payload(1, 1, 8000, 8))}),       // extension
      riff({chunk_claiming("JUNK", 0xFFFFFFFF, "junk")}),                   // chunk before fmt
      riff({fmt, chunk("fact", "123")}).substr(0, 47),                      // missing pad byte
  };
  for (const auto& file : cases) {
    const Walk w = walk(file);
    EXPECT_EQ(w.result, WalkResult::NotWav);
    EXPECT_TRUE(w.console.ends_with(kRefused)) << w.console;
  }
}

TEST(WavHeaderWalk, RefusesAFileCutAtEveryHeaderBoundary) {
  const std::string file = riff({chunk("fmt ", fmt_payload(1, 1, 8000, 8)),
                                 chunk("fact", le32(4)), chunk("data", "abcd")});
  const std::string once = report(52, 16, kMono8k);
  for (std::size_t cut = 0; cut < file.size() - 4; ++cut) {
    const Walk w = walk(file.substr(0, cut));
    SCOPED_TRACE("cut at " + std::to_string(cut));
    ASSERT_EQ(w.result, WalkResult::NotWav);
    std::string expected;
    if (cut >= 12) expected += crlf("WAV格式文件\nwav文件数据大小:52\n");
    if (cut >= 36) expected = once;
    if (cut >= 44) expected += crlf("fact\n");
    EXPECT_EQ(w.console, expected + kRefused);
  }
}

TEST(WavHeaderWalk, DataSizeIsReportedSigned) {
  const std::string file =
      riff({chunk("fmt ", fmt_payload(1, 1, 8000, 8)), chunk_claiming("data", 0xFFFFFFFF, "ab")});
  const Walk w = walk(file);
  ASSERT_EQ(w.result, WalkResult::WalkOk);
  EXPECT_TRUE(w.console.ends_with(data_lines("data", -1)));
  EXPECT_EQ(w.info.dataSize, 0xFFFFFFFFu);
}

}  // namespace
