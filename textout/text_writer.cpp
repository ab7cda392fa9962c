#include "textout/text_writer.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "textout/console.h"
#include "textout/gbk.h"
#include "textout/texts.h"

TextWriter::TextWriter(std::FILE* stream, std::string name, Encoding encoding)
    : stream_(stream), name_(std::move(name)), encoding_(encoding), buffer_(new char[kInitialBufferSize]) {}

TextWriter::TextWriter(std::string path)
    : stream_(nullptr),
      file_(create_pending_file(path)),
      name_(std::move(path)),
      encoding_(Encoding::Gbk),
      buffer_(new char[kInitialBufferSize]) {
  if (file_) stream_ = file_->stream;
}

TextWriter::~TextWriter() {
  if (file_) {
    discard();
  } else if (stream_ != nullptr) {
    close();
  }
}

void TextWriter::text(std::string_view utf8) {
  if (encoding_ == Encoding::Utf8) {
    append_crlf(utf8);
  } else {
    append_crlf(utf8_to_gbk(utf8));
  }
}

void TextWriter::print(std::string_view fmt, std::initializer_list<FormatArg> args) {
  if (encoding_ == Encoding::Utf8) {
    append_crlf(format_text(fmt, args));
  } else {
    // GBK trail bytes are never '%', so directives survive the re-encoding.
    append_crlf(format_text(utf8_to_gbk(fmt), args));
  }
}

void TextWriter::append_crlf(std::string_view bytes) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      raw(bytes.substr(start, i - start));
      raw("\r\n");
      start = i + 1;
    }
  }
  raw(bytes.substr(start));
}

void TextWriter::raw(std::string_view bytes) {
  while (!bytes.empty()) {
    const std::size_t n = std::min(bytes.size(), kInitialBufferSize);
    std::memcpy(space(n), bytes.data(), n);
    advance(n);
    bytes.remove_prefix(n);
  }
}

char* TextWriter::space(std::size_t n) {
  if (capacity_ - used_ >= n) return buffer_.get() + used_;
  if (capacity_ < kBufferSize) {
    std::unique_ptr<char[]> larger(new char[kBufferSize]);
    std::memcpy(larger.get(), buffer_.get(), used_);
    buffer_ = std::move(larger);
    capacity_ = kBufferSize;
  } else {
    flush();
  }
  return buffer_.get() + used_;
}

bool TextWriter::flush() {
  if (stream_ != nullptr && !failed_ && used_ > 0 && !deliver()) failed_ = true;
  if (failed_) used_ = 0;  // the bytes are dropped: the run reports it at close
  if (stream_ != nullptr && !failed_ && std::fflush(stream_) != 0) failed_ = true;
  return !failed_;
}

bool TextWriter::deliver() {
#ifdef _WIN32
  if (encoding_ == Encoding::WindowsConsole) {
    const long long taken = write_windows_console(stream_, buffer_.get(), used_);
    if (taken < 0) return false;
    used_ -= static_cast<std::size_t>(taken);
    delivered_ += static_cast<std::uint64_t>(taken);
    std::memmove(buffer_.get(), buffer_.get() + taken, used_);
    return true;
  }
#endif
  const bool ok = std::fwrite(buffer_.get(), 1, used_, stream_) == used_;
  delivered_ += used_;
  used_ = 0;
  return ok;
}

bool TextWriter::close() {
  if (stream_ == nullptr) return false;
  bool ok = flush();
  if (file_) {
    if (!ok) {
      discard_pending_file(*file_);
    } else {
      ok = commit_pending_file(*file_);
    }
    file_.reset();
    stream_ = nullptr;
  }
  failed_ = !ok;
  return ok;
}

void TextWriter::discard() {
  if (!file_) return;
  discard_pending_file(*file_);
  file_.reset();
  stream_ = nullptr;
  used_ = 0;
}

bool close_or_report(TextWriter& file, TextWriter& console) {
  if (file.close()) return true;
  console.print(texts::kWriteFailed, {std::string_view(file.name())});
  return false;
}
