#include "tests/support/test_support.h"

#include <pty.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testing_support {

namespace {

// In a child process: files may grow to `bytes` at most. SIGXFSZ is ignored,
// so a write past the limit fails with EFBIG instead of ending the process.
void limit_file_size_here(std::uint64_t bytes) {
  std::signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{bytes, bytes};
  if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(126);
}

}  // namespace

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "wavtoh-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void write_file(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string crlf(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string iconv_gbk(std::string_view utf8) {
  TempDir dir;
  write_file(dir / "in", utf8);
  const std::string command = "iconv -f UTF-8 -t GBK '" + (dir / "in").string() + "' > '" +
                              (dir / "out").string() + "'";
  if (std::system(command.c_str()) != 0) throw std::runtime_error("iconv failed");
  return read_file(dir / "out");
}

std::string capture_console(Encoding encoding, const std::function<void(TextWriter&)>& body) {
  TempDir dir;
  std::FILE* capture = std::fopen((dir / "console").c_str(), "wb");
  if (capture == nullptr) throw std::runtime_error("cannot capture the console");
  {
    TextWriter console(capture, "console", encoding);
    body(console);
    console.close();
  }
  std::fclose(capture);
  return read_file(dir / "console");
}

int with_file_size_limit(std::uint64_t bytes, const std::function<int()>& body) {
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    limit_file_size_here(bytes);
    _exit(body());
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string le16(std::uint16_t v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

std::string le32(std::uint32_t v) { return le16(v & 0xFFFF) + le16(static_cast<std::uint16_t>(v >> 16)); }

std::string chunk_claiming(std::string_view id, std::uint32_t size, std::string_view payload) {
  std::string out(id);
  out += le32(size);
  out += payload;
  return out;
}

std::string chunk(std::string_view id, std::string_view payload) {
  std::string out = chunk_claiming(id, static_cast<std::uint32_t>(payload.size()), payload);
  if (payload.size() % 2 == 1) out += '\0';
  return out;
}

std::string fmt_payload(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                        std::uint16_t bits, std::string_view extra) {
  const std::uint16_t align = static_cast<std::uint16_t>(channels * ((bits + 7) / 8));
  std::string out = le16(tag) + le16(channels) + le32(rate) + le32(rate * align) + le16(align) +
                    le16(bits);
  out += extra;
  return out;
}

std::string riff(std::initializer_list<std::string> chunks, std::string_view form) {
  std::string body(form);
  for (const auto& c : chunks) body += c;
  return "RIFF" + le32(static_cast<std::uint32_t>(body.size())) + body;
}

std::string pcm8_mono(std::string_view samples, std::uint32_t rate) {
  return riff({chunk("fmt ", fmt_payload(1, 1, rate, 8)), chunk("data", samples)});
}

std::string program_under_test(const char* override, const char* built) {
  const char* path = std::getenv(override);
  return path != nullptr && *path != '\0' ? path : built;
}

RunResult run_program(const std::string& program, const std::filesystem::path& dir,
                      std::string_view input, const std::string& asUser,
                      const std::string& argument, std::uint64_t fileSizeLimit) {
  // Input and output go through files, so neither side can block the other.
  TempDir io;
  write_file(io / "stdin", input);
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    if (chdir(dir.c_str()) != 0) _exit(127);
    if (std::freopen((io / "stdin").c_str(), "rb", stdin) == nullptr ||
        std::freopen((io / "stdout").c_str(), "wb", stdout) == nullptr) {
      _exit(127);
    }
    if (fileSizeLimit != 0) limit_file_size_here(fileSizeLimit);
    // WAVTOH_TEST_WRAPPER runs the program under a checker, such as
    // "valgrind --error-exitcode=99 -q"; its exit status then fails the test.
    const char* wrapper = std::getenv("WAVTOH_TEST_WRAPPER");
    std::string prefix = asUser;
    if (wrapper != nullptr) prefix += std::string(" ") + wrapper;
    if (prefix.find_first_not_of(' ') != std::string::npos) {
      std::string command = prefix + " '" + program + "'";
      if (!argument.empty()) command += " '" + argument + "'";
      execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    } else if (!argument.empty()) {
      execl(program.c_str(), program.c_str(), argument.c_str(), static_cast<char*>(nullptr));
    } else {
      execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    }
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, read_file(io / "stdout")};
}

RunResult run_on_terminal(const std::string& program, const std::filesystem::path& dir,
                          std::string_view input, const std::string& locale,
                          const char* variable) {
  TempDir io;
  write_file(io / "stdin", input);
  int terminal = -1;
  const pid_t pid = forkpty(&terminal, nullptr, nullptr, nullptr);
  if (pid < 0) throw std::runtime_error("forkpty failed");
  if (pid == 0) {
    termios raw{};
    tcgetattr(STDOUT_FILENO, &raw);
    cfmakeraw(&raw);
    tcsetattr(STDOUT_FILENO, TCSANOW, &raw);
    if (chdir(dir.c_str()) != 0 || std::freopen((io / "stdin").c_str(), "rb", stdin) == nullptr) {
      _exit(127);
    }
    for (const char* other : {"LC_ALL", "LC_CTYPE", "LANG"}) unsetenv(other);
    setenv(variable, locale.c_str(), 1);
    execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  std::string out;
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(terminal, buffer, sizeof buffer);
    if (n <= 0) break;  // EIO once the program has closed the terminal
    out.append(buffer, static_cast<std::size_t>(n));
  }
  close(terminal);
  int status = 0;
  waitpid(pid, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

RunResult run_program_until(const std::string& program, const std::filesystem::path& dir,
                            std::string_view input, std::string_view trigger,
                            const std::function<void(int pid)>& action) {
  TempDir io;
  write_file(io / "stdin", input);
  int out[2];
  if (pipe(out) != 0) throw std::runtime_error("pipe failed");
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    close(out[0]);
    if (chdir(dir.c_str()) != 0 || std::freopen((io / "stdin").c_str(), "rb", stdin) == nullptr ||
        dup2(out[1], STDOUT_FILENO) < 0) {
      _exit(127);
    }
    const char* wrapper = std::getenv("WAVTOH_TEST_WRAPPER");
    if (wrapper != nullptr && *wrapper != '\0') {
      // exec: the signals the action sends reach the wrapper itself.
      const std::string command = std::string("exec ") + wrapper + " '" + program + "'";
      execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    } else {
      execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    }
    _exit(127);
  }
  close(out[1]);
  std::string text;
  bool acted = false;
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(out[0], buffer, sizeof buffer);
    if (n <= 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
    if (!acted && text.find(trigger) != std::string::npos) {
      acted = true;
      action(pid);
    }
  }
  close(out[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (!acted) throw std::runtime_error("the trigger text never appeared");
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text};
}

}  // namespace testing_support
