#include "textout/console.h"

#include <clocale>
#include <cstdio>
#include <cstring>

#include <langinfo.h>
#include <unistd.h>

Encoding console_encoding() {
  if (isatty(fileno(stdout)) == 0) return Encoding::Gbk;
  if (std::setlocale(LC_CTYPE, "") == nullptr) return Encoding::Gbk;
  const char* codeset = nl_langinfo(CODESET);
  return std::strcmp(codeset, "UTF-8") == 0 ? Encoding::Utf8 : Encoding::Gbk;
}
