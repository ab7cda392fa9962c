#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// A WAV input opened for binary reading. Its size is taken once at the start,
// so a read or skip that would run past the end is seen before it happens.
// Offsets are 64-bit everywhere: files over 2 GiB work on every platform.
class InputFile {
 public:
  // Opens a regular file (a link to one included). Anything else, a folder,
  // a pipe, a socket or a device, is refused at once, without blocking.
  explicit InputFile(const std::string& path);
  // Reads a stream the caller opened and owns, such as one over memory.
  explicit InputFile(std::FILE* stream);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  bool is_open() const { return stream_ != nullptr; }
  std::uint64_t position() const { return position_; }
  // Bytes between the position and the end of the file.
  std::uint64_t remaining() const { return size_ > position_ ? size_ - position_ : 0; }

  // Reads exactly n bytes; false when the file ends first or a read fails.
  bool read(unsigned char* dest, std::size_t n);
  // Moves n bytes on; false when that would pass the end of the file.
  bool skip(std::uint64_t n);
  // Back to offset 0, end-of-file state cleared.
  bool rewind();

 private:
  void take_size();
  bool seek(std::uint64_t offset);

  std::FILE* stream_;
  bool owned_;
  std::uint64_t size_ = 0;
  std::uint64_t position_ = 0;
};
