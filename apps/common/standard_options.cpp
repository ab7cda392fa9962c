#include "apps/common/standard_options.h"

std::optional<int> handle_standard_options(int argc, char** argv, std::string_view tool,
                                           std::string_view usage, TextWriter& console) {
  if (argc < 2) return std::nullopt;
  const std::string_view option = argv[1];
  if (option == "--help") {
    console.text(usage);
  } else if (option == "--version") {
    console.print("%s %s\n", {tool, std::string_view(WAVTOH_VERSION)});
  } else {
    return std::nullopt;
  }
  return console.flush() ? 0 : 1;
}
