#include "textout/format.h"

#include <cassert>
#include <charconv>
#include <cstddef>

namespace {

void append_hex(std::string& out, std::uint64_t v, int width) {
  char digits[16];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, v, 16);
  const auto len = static_cast<int>(end - digits);
  for (int pad = len; pad < width; ++pad) out.push_back('0');
  out.append(digits, end);
}

void append_fixed6(std::string& out, double v) {
  char digits[400];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, v,
                                 std::chars_format::fixed, 6);
  out.append(digits, end);
}

}  // namespace

void append_decimal(std::string& out, std::int64_t v) {
  char digits[24];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, v);
  out.append(digits, end);
}

std::string format_text(std::string_view fmt, std::initializer_list<FormatArg> args) {
  std::string out;
  out.reserve(fmt.size() + 16);
  const FormatArg* next = args.begin();
  const auto take = [&]() -> const FormatArg& {
    assert(next != args.end() && "format_text: too few arguments");
    return *next++;
  };
  for (std::size_t i = 0; i < fmt.size(); ++i) {
    if (fmt[i] != '%') {
      out.push_back(fmt[i]);
      continue;
    }
    const std::string_view rest = fmt.substr(i + 1);
    if (rest.starts_with("%")) {
      out.push_back('%');
      i += 1;
    } else if (rest.starts_with("d")) {
      append_decimal(out, static_cast<std::int32_t>(static_cast<std::uint32_t>(take().integer)));
      i += 1;
    } else if (rest.starts_with("04x") || rest.starts_with("02x")) {
      append_hex(out, static_cast<std::uint64_t>(take().integer), rest[1] - '0');
      i += 3;
    } else if (rest.starts_with("c")) {
      out.push_back(static_cast<char>(take().integer));
      i += 1;
    } else if (rest.starts_with("s")) {
      out.append(take().bytes);
      i += 1;
    } else if (rest.starts_with("3f")) {
      append_fixed6(out, take().real);
      i += 2;
    } else {
      assert(false && "format_text: unsupported directive");
      out.push_back('%');
    }
  }
  assert(next == args.end() && "format_text: too many arguments");
  return out;
}
