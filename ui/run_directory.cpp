#include "ui/run_directory.h"

std::string RunDirectoryOf(std::string_view executablePath) {
  const std::size_t cut = executablePath.rfind('\\');
  if (cut == std::string_view::npos) return {};
  return std::string(executablePath.substr(0, cut));
}
