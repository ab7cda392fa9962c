#include "conversion/wav_header.h"

#include <cstring>

#include "textout/texts.h"

namespace {

std::uint16_t u16_le(const unsigned char* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t u32_le(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool has_id(const char* id, const char (&expected)[5]) {
  return std::memcmp(id, expected, 4) == 0;
}

// RIFF keeps chunks word-aligned: a payload of odd size is followed by one
// pad byte that its size does not count.
std::uint64_t padded_size(std::uint32_t size) {
  return static_cast<std::uint64_t>(size) + (size & 1u);
}

bool read_chunk_header(InputFile& in, ChunkHeader& header) {
  unsigned char bytes[8];
  if (!in.read(bytes, sizeof bytes)) return false;
  std::memcpy(header.id, bytes, 4);
  header.size = u32_le(bytes + 4);
  return true;
}

// More chunks than any writer puts before its format or data chunk; past
// this a file of empty chunks (a sparse file of zeros) would be walked for
// days.
constexpr int kMaxSkippedChunks = 65536;

// Reads chunk headers until one has the wanted id. Chunks of other kinds
// (JUNK, LIST, bext, PEAK, ...) carry nothing the conversion needs and are
// skipped whole.
bool find_chunk(InputFile& in, const char (&id)[5], ChunkHeader& header) {
  for (int skipped = 0; read_chunk_header(in, header); ++skipped) {
    if (has_id(header.id, id)) return true;
    if (skipped == kMaxSkippedChunks || !in.skip(padded_size(header.size))) return false;
  }
  return false;
}

bool read_riff_header(InputFile& in, WavHeaderInfo& info) {
  unsigned char bytes[12];
  if (!in.read(bytes, sizeof bytes)) return false;
  // The first four bytes are not examined: only the form type identifies WAV.
  info.riffSize = u32_le(bytes + 4);
  return std::memcmp(bytes + 8, "WAVE", 4) == 0;
}

void report_riff_header(const WavHeaderInfo& info, TextWriter& console) {
  console.text(texts::kWavFormat);
  console.print(texts::kRiffSize, {info.riffSize});
}

// Reads and reports the format chunk, leaving `in` after it (its extension
// and pad byte included).
bool read_format_chunk(InputFile& in, WavHeaderInfo& info, TextWriter& console) {
  ChunkHeader header;
  unsigned char body[16];
  if (!find_chunk(in, "fmt ", header) || !in.read(body, sizeof body)) return false;
  info.fmtSize = header.size;
  console.print(texts::kFormatChunkSize, {info.fmtSize});
  if (info.fmtSize < 16) return false;
  if (!in.skip(padded_size(info.fmtSize) - 16)) return false;

  info.formatTag = u16_le(body + 0);
  info.channels = u16_le(body + 2);
  info.sampleRate = u32_le(body + 4);
  info.byteRate = u32_le(body + 8);
  info.blockAlign = u16_le(body + 12);
  info.bitsPerSample = u16_le(body + 14);
  console.print(texts::kFormatTag, {info.formatTag});
  console.print(texts::kChannels, {info.channels});
  console.print(texts::kSampleRate, {info.sampleRate});
  console.print(texts::kBitsPerSample, {info.bitsPerSample});
  console.print(texts::kByteRate, {info.byteRate});
  console.print(texts::kBlockAlign, {info.blockAlign});
  return true;
}

WalkResult refuse(TextWriter& console) {
  console.text(texts::kNotWavFormat);
  return NotWav;
}

}  // namespace

WalkResult read_wav_header(InputFile& in, WavHeaderInfo& info, TextWriter& console) {
  info = WavHeaderInfo{};
  bool noFact = false;
  if (!read_riff_header(in, info)) return refuse(console);
  for (;;) {
    report_riff_header(info, console);
    if (!read_format_chunk(in, info, console)) return refuse(console);
    if (noFact) break;
    ChunkHeader next;
    if (!read_chunk_header(in, next)) return refuse(console);
    if (has_id(next.id, "fact")) {
      console.text(texts::kFact);
      // The payload (a sample count) is not needed: it is consumed whole.
      if (!in.skip(padded_size(next.size))) return refuse(console);
      break;
    }
    // No fact chunk: start again from the top and report the headers anew.
    noFact = true;
    if (!in.rewind() || !read_riff_header(in, info)) return refuse(console);
  }

  ChunkHeader data;
  if (!find_chunk(in, "data", data)) return refuse(console);
  std::memcpy(info.dataId, data.id, sizeof info.dataId);
  info.dataSize = data.size;
  console.print(texts::kDataId, {info.dataId[0], info.dataId[1], info.dataId[2], info.dataId[3]});
  console.print(texts::kDataSize, {info.dataSize});
  return WalkOk;
}
