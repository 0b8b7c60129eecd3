#include "core/byte_pair.h"

#include <algorithm>
#include <array>

namespace {

// Rank of each byte value by how often it occurs in Windows PE files (0 = rarest, 255 = most
// common), counted over 640 MB of x86 and x86-64 system DLLs and EXEs. Zero bytes, 0xFF and the
// low control bytes lead; 0xE6, 0xDF and 0xB3 are the rarest.
constexpr std::array<std::uint8_t, 256> kByteRank = {
    255, 254, 253, 251, 250, 252, 247, 214, 245, 233, 211, 219, 199, 203, 220, 226,  // 00
    218, 196, 175, 209, 200, 178, 158, 163, 189, 162, 152, 157, 150, 136, 138, 174,  // 10
    234, 168, 166, 131, 217, 160, 125, 135, 188, 140, 122, 113, 129, 130, 198, 117,  // 20
    212, 182, 159, 185, 154, 124, 128, 121, 169, 149, 146, 145, 153, 132, 116, 134,  // 30
    201, 221, 176, 213, 240, 229, 193, 171, 239, 241, 148, 161, 222, 202, 190, 197,  // 40
    225, 195, 232, 227, 228, 181, 187, 155, 207, 191, 97,  111, 118, 102, 107, 246,  // 50
    156, 244, 192, 224, 230, 249, 210, 206, 194, 242, 78,  141, 231, 208, 238, 237,  // 60
    223, 88,  243, 236, 248, 216, 170, 186, 172, 173, 127, 69,  98,  95,  108, 119,  // 70
    164, 86,  126, 177, 165, 147, 70,  44,  105, 215, 22,  180, 94,  184, 47,  33,   // 80
    204, 167, 81,  89,  104, 21,  34,  17,  93,  49,  14,  25,  101, 32,  82,  205,  // 90
    142, 28,  20,  40,  57,  15,  26,  7,   80,  23,  75,  13,  77,  37,  10,  12,   // a0
    133, 16,  3,   2,   52,  65,  74,  68,  109, 85,  100, 84,  41,  114, 18,  36,   // b0
    183, 99,  90,  143, 123, 87,  83,  112, 110, 96,  39,  55,  61,  30,  71,  63,   // c0
    144, 46,  72,  59,  27,  19,  66,  35,  91,  60,  8,   51,  4,   11,  6,   1,    // d0
    137, 24,  64,  5,   76,  9,   0,   29,  151, 120, 50,  73,  115, 43,  31,  45,   // e0
    139, 58,  79,  179, 54,  48,  106, 38,  92,  53,  67,  62,  56,  42,  103, 235,  // f0
};

constexpr std::size_t kPeriodWindow = 256;

}  // namespace

BytePair ChooseRarePair(std::span<const std::uint8_t> pattern) noexcept {
  std::size_t rarest = 0;
  for (std::size_t i = 1; i < pattern.size(); ++i) {
    if (kByteRank[pattern[i]] < kByteRank[pattern[rarest]]) rarest = i;
  }
  // The second byte: the rarest of another value; failing that, another offset of the same value.
  std::size_t second = rarest == 0 ? pattern.size() - 1 : 0;
  bool secondDiffers = false;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == pattern[rarest]) continue;
    if (!secondDiffers || kByteRank[pattern[i]] < kByteRank[pattern[second]]) second = i;
    secondDiffers = true;
  }
  return {rarest, second, pattern[rarest], pattern[second]};
}

std::optional<BytePair> ChoosePeriodBreakPair(std::span<const std::uint8_t> pattern) noexcept {
  // border[L] is the longest proper border of the prefix of length L, so L - border[L] is its
  // shortest period (Knuth-Morris-Pratt).
  const std::size_t window = std::min(pattern.size(), kPeriodWindow);
  std::array<std::uint16_t, kPeriodWindow + 1> border{};
  for (std::size_t length = 2; length <= window; ++length) {
    std::size_t b = border[length - 1];
    while (b > 0 && pattern[length - 1] != pattern[b]) b = border[b];
    if (pattern[length - 1] == pattern[b]) ++b;
    border[length] = static_cast<std::uint16_t>(b);
  }
  // The longest prefix that repeats its period at least twice and is followed by a byte that
  // breaks it.
  for (std::size_t length = window - 1; length >= 2; --length) {
    const std::size_t period = length - border[length];
    if (2 * period > length || pattern[length] == pattern[length - period]) continue;
    return BytePair{length - period, length, pattern[length - period], pattern[length]};
  }
  return std::nullopt;
}
