#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// Two bytes of a pattern at two different offsets. A vectorised search looks for places where
// both stand at their offsets at once and compares the whole pattern only there.
struct BytePair {
  std::size_t index1, index2;
  std::uint8_t byte1, byte2;
};

// The pair least likely to stand by chance in an executable: the pattern's rarest byte by a fixed
// table of byte frequencies in PE files, and its rarest byte of another value (or, when all bytes
// are equal, another offset). The pattern has at least two bytes. O(pattern length).
[[nodiscard]] BytePair ChooseRarePair(std::span<const std::uint8_t> pattern) noexcept;

// The pair that no haystack repeating the pattern's own periodic prefix can hold: when the
// pattern begins with a stretch of period p that its byte at offset k breaks, the bytes at k - p
// and k differ while such a haystack repeats itself every p bytes ("aaa…ab" in "aaaa…", "abab…ba"
// in "abab…"). Nothing when the pattern has no periodic prefix with a break in its first 256
// bytes. O(pattern length).
[[nodiscard]] std::optional<BytePair> ChoosePeriodBreakPair(std::span<const std::uint8_t> pattern) noexcept;
