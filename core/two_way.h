#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

inline constexpr std::size_t kNoMatch = static_cast<std::size_t>(-1);

// 0-based offset of the leftmost occurrence of `pattern` in `haystack` at or after offset `from`,
// or kNoMatch. The pattern is not empty. Two-Way string matching (Crochemore and Perrin): at most
// about two comparisons per haystack byte whatever the pattern, in constant extra space. It is the
// search's guarantee of linear time when a faster filter stops paying.
[[nodiscard]] std::size_t TwoWayFind(std::span<const std::uint8_t> haystack, std::span<const std::uint8_t> pattern,
                                     std::size_t from) noexcept;
