#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "textout/encoding.h"
#include "textout/format.h"
#include "textout/output_file.h"

// Buffered text output to one stream. Every line feed a writer emits is stored
// as CR LF (the stream itself is binary, so no platform adds or drops a CR).
// A failed write is remembered, later writes are dropped, and close() reports
// it: no write failure goes unnoticed.
class TextWriter {
 public:
  // Wraps a stream the caller owns, such as stdout.
  TextWriter(std::FILE* stream, std::string name, Encoding encoding);
  // Creates an output file that replaces `path` when close() succeeds (see
  // PendingFile); check is_open(). Until then `path` keeps what it held.
  explicit TextWriter(std::string path);
  ~TextWriter();
  TextWriter(const TextWriter&) = delete;
  TextWriter& operator=(const TextWriter&) = delete;

  bool is_open() const { return stream_ != nullptr; }
  const std::string& name() const { return name_; }
  // Bytes taken so far, delivered or still buffered.
  std::uint64_t bytes_written() const { return delivered_ + used_; }

  // One of the tools' texts (UTF-8 source), re-encoded, line feeds as CR LF.
  void text(std::string_view utf8);
  // The same with its directives expanded; the arguments go in as raw bytes.
  void print(std::string_view fmt, std::initializer_list<FormatArg> args);
  // Bytes exactly as given: the caller has already written CR LF.
  void raw(std::string_view bytes);

  // Fast path for long runs of generated text: room for n bytes (n at most
  // kBufferSize), to be filled and then committed with advance().
  char* space(std::size_t n);
  void advance(std::size_t n) { used_ += n; }

  // Hands the buffered bytes to the stream; false once anything has failed.
  bool flush();
  // Flushes and, for a file this writer created, closes it and puts it in
  // place of its name. True only when every byte reached the file.
  bool close();
  // For a file this writer created: drops it, leaving its name as it was.
  // A writer destroyed before close() does the same.
  void discard();

  // Large enough that a long conversion writes in few system calls; on the
  // heap, so the tools run on a small stack. A writer starts with a smaller
  // buffer and grows it only when its text outgrows that.
  static constexpr std::size_t kBufferSize = 1024 * 1024;
  static constexpr std::size_t kInitialBufferSize = 16 * 1024;

 private:
  void append_crlf(std::string_view bytes);
  bool deliver();

  std::FILE* stream_;
  std::optional<PendingFile> file_;  // set for a file this writer created
  std::string name_;
  Encoding encoding_;
  bool failed_ = false;
  std::size_t used_ = 0;
  std::uint64_t delivered_ = 0;
  std::size_t capacity_ = kInitialBufferSize;
  std::unique_ptr<char[]> buffer_;
};

// Closes `file`; when any of its bytes failed to reach the disk, says so on
// the console with the file's name. True when the file was written whole.
bool close_or_report(TextWriter& file, TextWriter& console);
