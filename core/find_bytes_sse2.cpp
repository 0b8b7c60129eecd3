#include <emmintrin.h>

#include "core/find_bytes_simd.h"
#include "core/vector_scan.h"

namespace {

struct Sse2 {
  static constexpr std::size_t kWidth = 16;
  using Register = __m128i;
  static Register Load(const std::uint8_t* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); }
  static Register Splat(std::uint8_t byte) { return _mm_set1_epi8(static_cast<char>(byte)); }
  static Register Equal(Register a, Register b) { return _mm_cmpeq_epi8(a, b); }
  static Register And(Register a, Register b) { return _mm_and_si128(a, b); }
  static Register Or(Register a, Register b) { return _mm_or_si128(a, b); }
  static std::uint32_t Mask(Register a) { return static_cast<std::uint32_t>(_mm_movemask_epi8(a)); }
};

}  // namespace

std::size_t ScanForByteSse2(const std::uint8_t* haystack, std::size_t length, std::size_t from,
                            std::uint8_t byte) noexcept {
  return ScanForByte<Sse2>(haystack, length, from, byte);
}

FilterOutcome ScanForPairSse2(const std::uint8_t* haystack, std::size_t length, std::size_t from,
                              const std::uint8_t* pattern, std::size_t patternLength, BytePair pair) noexcept {
  return ScanForPair<Sse2>(haystack, length, from, pattern, patternLength, pair);
}
