#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "textout/text_writer.h"

namespace testing_support {

// A fresh directory under the system's temporary folder, removed at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

std::string read_file(const std::filesystem::path& path);
void write_file(const std::filesystem::path& path, std::string_view bytes);

// Every "\n" as "\r\n".
std::string crlf(std::string_view text);
// UTF-8 text converted to GBK by the system's iconv, an encoder independent
// of the tools' own.
std::string iconv_gbk(std::string_view utf8);

// Everything `body` writes on a console of the given encoding, as bytes.
std::string capture_console(Encoding encoding, const std::function<void(TextWriter&)>& body);

// Runs `body` in a child process whose files may grow to `bytes` at most
// (writes past that fail as on a full disk); returns body's result, or -1.
int with_file_size_limit(std::uint64_t bytes, const std::function<int()>& body);

// Little-endian fields and RIFF chunks for building WAV files in tests.
std::string le16(std::uint16_t v);
std::string le32(std::uint32_t v);
// id, size, payload and the pad byte an odd payload needs.
std::string chunk(std::string_view id, std::string_view payload);
// The same with a size field that need not match the payload.
std::string chunk_claiming(std::string_view id, std::uint32_t size, std::string_view payload);
// A 16-byte format payload (plus `extra` bytes after it).
std::string fmt_payload(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                        std::uint16_t bits, std::string_view extra = {});
// "RIFF", the size of what follows, "WAVE" and the chunks.
std::string riff(std::initializer_list<std::string> chunks, std::string_view form = "WAVE");
// A plain 8-bit mono PCM file at `rate` holding `samples`.
std::string pcm8_mono(std::string_view samples, std::uint32_t rate = 8000);

// The program under test: the one this build made (`built`), unless the
// environment variable `override` names another, such as the Windows build
// of the same tool run under Wine (see WAVTOH_TEST_WRAPPER).
std::string program_under_test(const char* override, const char* built);

// Result of running a program to its end.
struct RunResult {
  int exitStatus;     // -1 when it did not exit normally
  std::string out;    // everything on standard output
};
// Runs `program` in `dir` with `input` on standard input; `asUser` is a
// command prefix that switches user, such as "setpriv --reuid=65534 ...",
// `argument`, when given, the program's one argument, and `fileSizeLimit`,
// when not 0, the size past which the program's writes fail as on a full
// disk (its standard output is a file too, and bound by the same limit).
RunResult run_program(const std::string& program, const std::filesystem::path& dir,
                      std::string_view input, const std::string& asUser = "",
                      const std::string& argument = "", std::uint64_t fileSizeLimit = 0);

// The same with standard output on a pseudo-terminal in raw mode (so the
// terminal adds no CR of its own) and the locale variable `variable` (the
// only one set) naming `locale`.
RunResult run_on_terminal(const std::string& program, const std::filesystem::path& dir,
                          std::string_view input, const std::string& locale,
                          const char* variable = "LC_ALL");

// Runs `program` as run_program does, but with standard output on a pipe:
// once `trigger` has appeared there, calls `action` with the program's
// process id, then reads on to the end.
RunResult run_program_until(const std::string& program, const std::filesystem::path& dir,
                            std::string_view input, std::string_view trigger,
                            const std::function<void(int pid)>& action);

}  // namespace testing_support
