#include "textout/console.h"

#include <cctype>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <vector>
#else
#include <langinfo.h>
#include <unistd.h>
#endif

#ifdef _WIN32

Encoding prepare_console_output() {
  _setmode(_fileno(stdout), _O_BINARY);
  DWORD mode = 0;
  const HANDLE out = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stdout)));
  return GetConsoleMode(out, &mode) != 0 ? Encoding::WindowsConsole : Encoding::Gbk;
}

long long write_windows_console(std::FILE* stream, const char* gbk, std::size_t n) {
  // Only whole characters: a GBK lead byte (0x81..0xFE) needs its partner.
  std::size_t complete = 0;
  while (complete < n) {
    const auto b = static_cast<unsigned char>(gbk[complete]);
    const std::size_t width = b >= 0x81 && b <= 0xFE ? 2 : 1;
    if (complete + width > n) break;
    complete += width;
  }
  if (complete == 0) return 0;
  const int length = static_cast<int>(complete);
  const int wide = MultiByteToWideChar(936, 0, gbk, length, nullptr, 0);
  std::vector<wchar_t> text(static_cast<std::size_t>(wide));
  MultiByteToWideChar(936, 0, gbk, length, text.data(), wide);
  const HANDLE out = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD written = 0;
  if (WriteConsoleW(out, text.data(), static_cast<DWORD>(wide), &written, nullptr) == 0) return -1;
  return static_cast<long long>(complete);
}

#else

namespace {

// The locale the environment names for the character type, as setlocale
// would pick it: LC_ALL, then LC_CTYPE, then LANG.
const char* named_ctype_locale() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return value;
  }
  return "";
}

// True when a locale name such as "zh_CN.UTF-8" or "en_US.utf8" names UTF-8.
bool names_utf8(std::string_view locale) {
  const std::size_t dot = locale.find('.');
  if (dot == std::string_view::npos) return false;
  std::string codeset;
  for (char c : locale.substr(dot + 1)) {
    if (c == '@') break;
    if (c != '-') codeset.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  }
  return codeset == "utf8";
}

}  // namespace

Encoding prepare_console_output() {
  if (isatty(fileno(stdout)) == 0) return Encoding::Gbk;
  // Containers often name a UTF-8 locale that is not installed: setlocale
  // then fails, but the terminal still expects UTF-8.
  if (std::setlocale(LC_CTYPE, "") == nullptr) {
    return names_utf8(named_ctype_locale()) ? Encoding::Utf8 : Encoding::Gbk;
  }
  const char* codeset = nl_langinfo(CODESET);
  return std::strcmp(codeset, "UTF-8") == 0 ? Encoding::Utf8 : Encoding::Gbk;
}

#endif
