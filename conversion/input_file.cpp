#include "conversion/input_file.h"

#include <limits>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

#ifdef _WIN32
int seek64(std::FILE* f, std::uint64_t offset, int whence) {
  return _fseeki64(f, static_cast<__int64>(offset), whence);
}
std::int64_t tell64(std::FILE* f) { return _ftelli64(f); }
#else
int seek64(std::FILE* f, std::uint64_t offset, int whence) {
  return fseeko(f, static_cast<off_t>(offset), whence);
}
std::int64_t tell64(std::FILE* f) { return ftello(f); }
#endif

}  // namespace

InputFile::InputFile(const std::string& path) : stream_(std::fopen(path.c_str(), "rb")) {
  if (stream_ == nullptr) return;
#ifndef _WIN32
  // POSIX systems open a folder for reading; it is no file to convert.
  struct stat status {};
  if (fstat(fileno(stream_), &status) == 0 && S_ISDIR(status.st_mode)) {
    std::fclose(stream_);
    stream_ = nullptr;
    return;
  }
#endif
  // A stream without a size (a pipe) can still be read from the start; its
  // skips then fail where the seek fails.
  std::int64_t end = -1;
  if (seek64(stream_, 0, SEEK_END) == 0) end = tell64(stream_);
  size_ = end >= 0 ? static_cast<std::uint64_t>(end) : std::numeric_limits<std::uint64_t>::max();
  if (end >= 0 && seek64(stream_, 0, SEEK_SET) != 0) size_ = 0;
}

InputFile::~InputFile() {
  if (stream_ != nullptr) std::fclose(stream_);
}

bool InputFile::read(unsigned char* dest, std::size_t n) {
  if (n > remaining()) return false;
  const std::size_t got = std::fread(dest, 1, n, stream_);
  position_ += got;
  return got == n;
}

bool InputFile::skip(std::uint64_t n) {
  if (n > remaining()) return false;
  return seek(position_ + n);
}

bool InputFile::rewind() {
  std::clearerr(stream_);
  return seek(0);
}

bool InputFile::seek(std::uint64_t offset) {
  if (offset > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) ||
      seek64(stream_, offset, SEEK_SET) != 0) {
    return false;
  }
  position_ = offset;
  return true;
}
