#include "conversion/input_file.h"

#include <limits>

#ifdef _WIN32
#include <sys/stat.h>
#include <sys/types.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
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

#ifdef _WIN32

std::FILE* open_regular_file(const std::string& path) {
  std::FILE* stream = std::fopen(path.c_str(), "rb");
  if (stream == nullptr) return nullptr;
  struct _stat64 status {};
  if (_fstat64(_fileno(stream), &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG) {
    std::fclose(stream);
    return nullptr;
  }
  return stream;
}

#else

std::FILE* open_regular_file(const std::string& path) {
  // Non-blocking, so that opening a pipe with no writer returns at once.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat status {};
  std::FILE* stream = nullptr;
  if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
      fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0) {
    stream = fdopen(fd, "rb");
  }
  if (stream == nullptr) close(fd);
  return stream;
}

#endif

}  // namespace

InputFile::InputFile(const std::string& path) : stream_(open_regular_file(path)), owned_(true) {
  if (stream_ != nullptr) take_size();
}

InputFile::InputFile(std::FILE* stream) : stream_(stream), owned_(false) { take_size(); }

void InputFile::take_size() {
  // A stream without a size can still be read from the start; its skips then
  // fail where the seek fails.
  std::int64_t end = -1;
  if (seek64(stream_, 0, SEEK_END) == 0) end = tell64(stream_);
  size_ = end >= 0 ? static_cast<std::uint64_t>(end) : std::numeric_limits<std::uint64_t>::max();
  if (end >= 0 && seek64(stream_, 0, SEEK_SET) != 0) size_ = 0;
}

InputFile::~InputFile() {
  if (stream_ != nullptr && owned_) std::fclose(stream_);
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
