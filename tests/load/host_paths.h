#pragma once

// Paths handed over from the host: a Linux path becomes the same place on drive Z:, and forward
// slashes become backslashes, as the program itself shows paths.

#include <filesystem>
#include <string>

#include "tests/e2e/win32_basics.h"

inline std::filesystem::path WindowsPath(std::string path) {
  if (path.starts_with('/')) path = "Z:" + path;
  for (char& c : path) c = c == '/' ? '\\' : c;
  return std::filesystem::path(Utf8ToWide(path));
}
