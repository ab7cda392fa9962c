#include "textout/console.h"

#include <clocale>
#include <cstdio>
#include <cstring>

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

Encoding prepare_console_output() {
  if (isatty(fileno(stdout)) == 0) return Encoding::Gbk;
  if (std::setlocale(LC_CTYPE, "") == nullptr) return Encoding::Gbk;
  const char* codeset = nl_langinfo(CODESET);
  return std::strcmp(codeset, "UTF-8") == 0 ? Encoding::Utf8 : Encoding::Gbk;
}

#endif
