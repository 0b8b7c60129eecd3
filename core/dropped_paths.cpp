#include "core/dropped_paths.h"

std::string JoinDroppedPaths(std::span<const std::string> paths) {
  if (paths.size() == 1) return paths.front();
  std::size_t length = 0;
  for (const std::string& path : paths) length += path.size() + 2;
  std::string text;
  text.reserve(length);
  for (const std::string& path : paths) {
    text += path;
    text += "\r\n";
  }
  return text;
}
