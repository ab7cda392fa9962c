#include "tests/integration/external_tools.h"

#include <array>
#include <cstdio>
#include <stdexcept>

namespace external_tools {

bool available(const std::string& tool) {
  return std::system(("command -v '" + tool + "' > /dev/null 2>&1").c_str()) == 0;
}

std::string shell(const std::string& command) {
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) throw std::runtime_error("cannot run: " + command);
  std::string out;
  std::array<char, 65536> buffer{};
  std::size_t n = 0;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) out.append(buffer.data(), n);
  const int status = pclose(pipe);
  if (status != 0) {
    throw std::runtime_error("command failed (" + std::to_string(status) + "): " + command);
  }
  return out;
}

std::string quoted(const std::filesystem::path& path) {
  std::string text = "'";
  text += path.string();
  text += '\'';
  return text;
}

std::string array_bytes(const std::string& header) {
  const std::size_t head = header.find("[]={");
  if (head == std::string::npos) throw std::runtime_error("no array in header");
  std::string bytes;
  const auto nibble = [](char c) { return c <= '9' ? c - '0' : c - 'a' + 10; };
  for (std::size_t i = header.find('\n', head); i + 3 < header.size(); ++i) {
    if (header[i] == '0' && header[i + 1] == 'x') {
      bytes.push_back(static_cast<char>(nibble(header[i + 2]) * 16 + nibble(header[i + 3])));
      i += 3;
    }
  }
  return bytes;
}

}  // namespace external_tools
