// Fuzzing of the dropped-path text: the input is cut into paths at a separator byte that it
// chooses itself, so paths may hold any bytes (CR, LF, NUL, lead bytes), be empty, or be many.
// The text is then checked against the rule: one path alone as it is; several each followed by
// CR LF, in order, and nothing else.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/dropped_paths.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const auto separator = static_cast<char>(data[0]);
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::vector<std::string> paths;
  // An input ending at its first byte lists no path at all.
  if (!rest.empty()) {
    for (std::size_t from = 0;;) {
      const std::size_t to = rest.find(separator, from);
      paths.emplace_back(rest.substr(from, to == std::string_view::npos ? std::string_view::npos : to - from));
      if (to == std::string_view::npos) break;
      from = to + 1;
    }
  }

  const std::string text = JoinDroppedPaths(paths);
  if (paths.size() == 1) {
    Check(text == paths.front(), "one path is the text as it is");
    return 0;
  }
  std::size_t at = 0;
  for (const std::string& path : paths) {
    Check(std::string_view(text).substr(at, path.size()) == path, "path in its place");
    at += path.size();
    Check(std::string_view(text).substr(at, 2) == "\r\n", "CR LF after each path");
    at += 2;
  }
  Check(at == text.size(), "nothing after the last CR LF");
  return 0;
}
