#include "textout/byte_runs.h"

#include <algorithm>
#include <cstring>

namespace {

// Bounds the room asked of the writer for one piece of a one-line run.
constexpr std::size_t kEntriesPerPiece = 4096;

std::size_t spell(char* p, std::uint8_t b, bool hex) {
  if (hex) {
    constexpr char kDigits[] = "0123456789abcdef";
    p[0] = '0';
    p[1] = 'x';
    p[2] = kDigits[b >> 4];
    p[3] = kDigits[b & 0x0F];
    return 4;
  }
  std::size_t n = 0;
  if (b >= 100) p[n++] = static_cast<char>('0' + b / 100);
  if (b >= 10) p[n++] = static_cast<char>('0' + b / 10 % 10);
  p[n++] = static_cast<char>('0' + b % 10);
  return n;
}

// Hex entries all have one width, so whole lines have one length: they are
// laid down at fixed offsets, many lines for one request of room. Returns the
// bytes taken; stops short of a line holding a bare last entry.
std::size_t write_whole_hex_lines(ByteRun& run, const std::uint8_t* bytes, std::size_t n) {
  const ByteRunLayout& layout = run.layout;
  const std::size_t perLine = layout.perLine;
  const std::size_t entryWidth = run.entries[0].length;
  const std::size_t lineWidth = perLine * entryWidth + layout.lineBreak.size();
  std::size_t lines = n / perLine;
  if (!layout.separatorAfterLast && run.written + lines * perLine == run.total && lines > 0) {
    --lines;
  }
  const std::size_t maxLines = (TextWriter::kBufferSize / 2) / lineWidth;
  std::size_t done = 0;
  while (lines > 0) {
    const std::size_t batch = std::min(lines, maxLines);
    // Room for the last entry's 8-byte copy to run past its line.
    char* p = run.out.space(batch * lineWidth + sizeof(ByteRun::Entry::text));
    for (std::size_t line = 0; line < batch; ++line) {
      for (std::size_t k = 0; k < perLine; ++k) {
        std::memcpy(p + k * entryWidth, run.entries[bytes[done + k]].text, sizeof(ByteRun::Entry::text));
      }
      std::memcpy(p + perLine * entryWidth, layout.lineBreak.data(), layout.lineBreak.size());
      p += lineWidth;
      done += perLine;
    }
    run.out.advance(batch * lineWidth);
    lines -= batch;
  }
  run.written += done;
  return done;
}

}  // namespace

ByteRun::ByteRun(TextWriter& out, const ByteRunLayout& layout, std::uint64_t total)
    : out(out), layout(layout), total(total) {
  for (unsigned b = 0; b < 256; ++b) {
    Entry& e = entries[b];
    std::size_t n = 0;
    if (layout.separatorFirst) e.text[n++] = layout.separator;
    n += spell(e.text + n, static_cast<std::uint8_t>(b), layout.hex);
    if (!layout.separatorFirst) e.text[n++] = layout.separator;
    e.length = static_cast<std::uint8_t>(n);
  }
}

void write_byte_run(ByteRun& run, const std::uint8_t* bytes, std::size_t n) {
  const ByteRunLayout& layout = run.layout;
  while (n > 0) {
    if (layout.hex && layout.perLine != 0 && run.written % layout.perLine == 0) {
      const std::size_t taken = write_whole_hex_lines(run, bytes, n);
      bytes += taken;
      n -= taken;
      if (n == 0) break;
    }
    // One piece: the entries up to the end of the current line.
    std::size_t take = std::min(n, kEntriesPerPiece);
    if (layout.perLine != 0) {
      take = std::min<std::size_t>(take, layout.perLine - run.written % layout.perLine);
    }
    const bool bareLast = !layout.separatorAfterLast && run.written + take == run.total;
    const std::size_t plain = bareLast ? take - 1 : take;

    char* const start = run.out.space(take * sizeof(ByteRun::Entry::text) + layout.lineBreak.size());
    char* p = start;
    for (std::size_t k = 0; k < plain; ++k) {
      const ByteRun::Entry& e = run.entries[bytes[k]];
      std::memcpy(p, e.text, sizeof e.text);
      p += e.length;
    }
    if (bareLast) {
      // The entry without the separator that would follow it.
      const ByteRun::Entry& e = run.entries[bytes[plain]];
      std::memcpy(p, e.text, sizeof e.text);
      p += e.length - (layout.separatorFirst ? 0 : 1);
    }
    run.written += take;
    if (layout.perLine != 0 && run.written % layout.perLine == 0) {
      std::memcpy(p, layout.lineBreak.data(), layout.lineBreak.size());
      p += layout.lineBreak.size();
    }
    run.out.advance(static_cast<std::size_t>(p - start));
    bytes += take;
    n -= take;
  }
}
