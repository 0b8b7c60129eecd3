// Built with -mavx2 (core/CMakeLists.txt); called only when the processor has AVX2.
#include <immintrin.h>

#include "core/find_bytes_simd.h"
#include "core/vector_scan.h"

namespace {

struct Avx2 {
  static constexpr std::size_t kWidth = 32;
  using Register = __m256i;
  static Register Load(const std::uint8_t* at) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at)); }
  static Register Splat(std::uint8_t byte) { return _mm256_set1_epi8(static_cast<char>(byte)); }
  static Register Equal(Register a, Register b) { return _mm256_cmpeq_epi8(a, b); }
  static Register And(Register a, Register b) { return _mm256_and_si256(a, b); }
  static Register Or(Register a, Register b) { return _mm256_or_si256(a, b); }
  static std::uint32_t Mask(Register a) { return static_cast<std::uint32_t>(_mm256_movemask_epi8(a)); }
};

}  // namespace

std::size_t ScanForByteAvx2(const std::uint8_t* haystack, std::size_t length, std::size_t from,
                            std::uint8_t byte) noexcept {
  return ScanForByte<Avx2>(haystack, length, from, byte);
}

FilterOutcome ScanForPairAvx2(const std::uint8_t* haystack, std::size_t length, std::size_t from,
                              const std::uint8_t* pattern, std::size_t patternLength, BytePair pair) noexcept {
  return ScanForPair<Avx2>(haystack, length, from, pattern, patternLength, pair);
}
