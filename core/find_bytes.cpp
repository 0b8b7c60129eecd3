#include <cstring>

#include "core/byte_ops.h"

std::int32_t FindBytes(std::span<const std::uint8_t> haystack, std::span<const std::uint8_t> pattern,
                       std::int32_t start) noexcept {
  if (pattern.empty()) return -1;
  const std::size_t from = start <= 1 ? 0 : static_cast<std::size_t>(start) - 1;
  if (from >= haystack.size()) return -1;
  const std::uint8_t* const begin = haystack.data();
  const std::uint8_t* const end = begin + haystack.size();
  for (const std::uint8_t* at = begin + from;;) {
    at = static_cast<const std::uint8_t*>(std::memchr(at, pattern[0], static_cast<std::size_t>(end - at)));
    if (at == nullptr || static_cast<std::size_t>(end - at) < pattern.size()) return -1;
    if (std::memcmp(at, pattern.data(), pattern.size()) == 0) return static_cast<std::int32_t>(at - begin) + 1;
    ++at;
  }
}
