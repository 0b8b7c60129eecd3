#include "core/byte_ops.h"
#include "core/byte_pair.h"
#include "core/find_bytes_simd.h"
#include "core/two_way.h"

// The search runs at memory speed: a one-byte pattern is a vectorised byte scan; a longer one
// is first filtered on two of its bytes at once (few places in a binary hold both), each
// candidate compared whole. When candidates keep failing, a second pair chosen against
// self-repeating haystacks takes over, and after it Two-Way, which is linear whatever the input.
// AVX2 is used when the processor has it, SSE2 otherwise (every x86-64 has it, and the 32-bit
// build requires it).

namespace {

struct Scanners {
  std::size_t (*forByte)(const std::uint8_t*, std::size_t, std::size_t, std::uint8_t) noexcept;
  FilterOutcome (*forPair)(const std::uint8_t*, std::size_t, std::size_t, const std::uint8_t*, std::size_t,
                           BytePair) noexcept;
  std::size_t width;  // a filter needs at least this many candidate starts
};

const Scanners& ScannersForThisProcessor() noexcept {
  static const Scanners scanners = __builtin_cpu_supports("avx2") ? Scanners{ScanForByteAvx2, ScanForPairAvx2, 32}
                                                                  : Scanners{ScanForByteSse2, ScanForPairSse2, 16};
  return scanners;
}

std::size_t FindFrom(std::span<const std::uint8_t> haystack, std::span<const std::uint8_t> pattern,
                     std::size_t from) noexcept {
  const Scanners& scan = ScannersForThisProcessor();
  if (pattern.size() == 1) return scan.forByte(haystack.data(), haystack.size(), from, pattern[0]);
  if (haystack.size() - from < pattern.size()) return kNoMatch;
  const std::size_t candidateCount = haystack.size() - pattern.size() - from + 1;
  if (candidateCount >= scan.width) {
    const BytePair rare = ChooseRarePair(pattern);
    const FilterOutcome outcome =
        scan.forPair(haystack.data(), haystack.size(), from, pattern.data(), pattern.size(), rare);
    if (outcome.settled) return outcome.at;
    from = outcome.at;
    const std::optional<BytePair> periodBreak = ChoosePeriodBreakPair(pattern);
    if (periodBreak && haystack.size() - pattern.size() + 1 - from >= scan.width) {
      const FilterOutcome second =
          scan.forPair(haystack.data(), haystack.size(), from, pattern.data(), pattern.size(), *periodBreak);
      if (second.settled) return second.at;
      from = second.at;
    }
  }
  return TwoWayFind(haystack, pattern, from);
}

}  // namespace

std::int32_t FindBytes(std::span<const std::uint8_t> haystack, std::span<const std::uint8_t> pattern,
                       std::int32_t start) noexcept {
  if (pattern.empty()) return -1;
  const std::size_t from = start <= 1 ? 0 : static_cast<std::size_t>(start) - 1;
  if (from >= haystack.size()) return -1;
  const std::size_t at = FindFrom(haystack, pattern, from);
  return at == kNoMatch ? -1 : static_cast<std::int32_t>(at) + 1;
}
