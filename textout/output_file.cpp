#include "textout/output_file.h"

#include <cerrno>
#include <csignal>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// The temporaries being written, removed by the handler of SIGINT, SIGTERM
// and SIGHUP before the signal ends the program. Fixed slots: the handler may
// only touch memory that no allocation moves. A run has two at most.
constexpr int kSlots = 8;
constexpr std::size_t kMaxTempPath = 4096;
char gTempPaths[kSlots][kMaxTempPath];
volatile std::sig_atomic_t gTempLive[kSlots];

// unlink is safe in a signal handler.
void remove_file(const char* path) {
#ifdef _WIN32
  _unlink(path);
#else
  unlink(path);
#endif
}

extern "C" void remove_temporaries_and_end(int signal) {
  for (int i = 0; i < kSlots; ++i) {
    if (gTempLive[i] != 0) remove_file(gTempPaths[i]);
  }
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void install_signal_cleanup() {
  static bool installed = false;
  if (installed) return;
  installed = true;
#ifdef _WIN32
  std::signal(SIGINT, remove_temporaries_and_end);
  std::signal(SIGTERM, remove_temporaries_and_end);
  std::signal(SIGBREAK, remove_temporaries_and_end);
#else
  struct sigaction action {};
  action.sa_handler = remove_temporaries_and_end;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction previous {};
    // A signal the caller chose to ignore (nohup, a background job) stays so.
    if (sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN) continue;
    sigaction(signal, &action, nullptr);
  }
#endif
}

int take_slot() {
  for (int i = 0; i < kSlots; ++i) {
    if (gTempLive[i] == 0) return i;
  }
  return -1;
}

std::string folder_of(const std::string& path) {
#ifdef _WIN32
  const std::size_t cut = path.find_last_of("/\\");
#else
  const std::size_t cut = path.find_last_of('/');
#endif
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

#ifdef _WIN32

bool is_folder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Opens a new, uniquely named file from `name` (ending in XXXXXX).
int open_unique(char* name) {
  const std::string pattern = name;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::strcpy(name, pattern.c_str());
    if (_mktemp_s(name, pattern.size() + 1) != 0) return -1;
    int fd = -1;
    if (_sopen_s(&fd, name, _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _SH_DENYNO,
                 _S_IREAD | _S_IWRITE) == 0) {
      return fd;
    }
    if (errno != EEXIST) return -1;
  }
  return -1;
}

bool rename_over(const char* from, const std::string& to) {
  return MoveFileExA(from, to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

#else

bool is_folder(const std::string& path) {
  struct stat status {};
  return lstat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// The bits a new file gets: those of the regular file it replaces, else 0666
// less the umask.
mode_t mode_for(const std::string& path) {
  struct stat status {};
  if (lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode)) return status.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

int open_unique(char* name) {
  const int fd = mkstemp(name);
  if (fd >= 0) fcntl(fd, F_SETFD, FD_CLOEXEC);
  return fd;
}

bool rename_over(const char* from, const std::string& to) {
  return std::rename(from, to.c_str()) == 0;
}

#endif

}  // namespace

std::optional<PendingFile> create_pending_file(const std::string& path) {
  install_signal_cleanup();
  if (is_folder(path)) return std::nullopt;
  const int slot = take_slot();
  // Short and hidden: the name beside it may be as long as the folder allows.
  const std::string pattern = folder_of(path) + ".wavtoh-XXXXXX";
  if (slot < 0 || pattern.size() >= kMaxTempPath) return std::nullopt;
  char* temp = gTempPaths[slot];
  std::memcpy(temp, pattern.c_str(), pattern.size() + 1);
  const int fd = open_unique(temp);
  if (fd < 0) return std::nullopt;
  gTempLive[slot] = 1;
#ifdef _WIN32
  std::FILE* stream = _fdopen(fd, "wb");
#else
  std::FILE* stream = fchmod(fd, mode_for(path)) == 0 ? fdopen(fd, "wb") : nullptr;
#endif
  if (stream == nullptr) {
#ifdef _WIN32
    _close(fd);
#else
    close(fd);
#endif
    remove_file(temp);
    gTempLive[slot] = 0;
    return std::nullopt;
  }
  // TextWriter hands over large blocks: they go to the file as they are.
  std::setvbuf(stream, nullptr, _IONBF, 0);
  return PendingFile{stream, path, slot};
}

bool commit_pending_file(PendingFile& file) {
  const char* temp = gTempPaths[file.slot];
  bool ok = std::ferror(file.stream) == 0;
  if (std::fclose(file.stream) != 0) ok = false;
  file.stream = nullptr;
  if (ok) ok = rename_over(temp, file.path);
  if (!ok) remove_file(temp);
  gTempLive[file.slot] = 0;
  return ok;
}

void discard_pending_file(PendingFile& file) {
  std::fclose(file.stream);
  file.stream = nullptr;
  remove_file(gTempPaths[file.slot]);
  gTempLive[file.slot] = 0;
}
