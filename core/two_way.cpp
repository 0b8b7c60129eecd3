#include "core/two_way.h"

#include <cstring>

namespace {

using Index = std::ptrdiff_t;  // signed: the factorisation's offsets start at -1

struct Factorisation {
  Index critical;  // last offset of the left part
  Index period;    // the right part's period
};

// The maximal suffix of the pattern by the byte order (or its reverse) and that suffix's period.
Factorisation MaximalSuffix(const std::uint8_t* x, Index m, bool reverseOrder) {
  Index suffix = -1, j = 0, k = 1, period = 1;
  while (j + k < m) {
    const std::uint8_t a = x[j + k], b = x[suffix + k];
    if (reverseOrder ? a > b : a < b) {
      j += k;
      k = 1;
      period = j - suffix;
    } else if (a == b) {
      if (k != period) {
        ++k;
      } else {
        j += period;
        k = 1;
      }
    } else {
      suffix = j++;
      k = period = 1;
    }
  }
  return {suffix, period};
}

}  // namespace

std::size_t TwoWayFind(std::span<const std::uint8_t> haystack, std::span<const std::uint8_t> pattern,
                       std::size_t from) noexcept {
  const std::uint8_t* const x = pattern.data();
  const Index m = static_cast<Index>(pattern.size());
  const Index n = static_cast<Index>(haystack.size());
  if (static_cast<Index>(from) > n - m) return kNoMatch;
  const std::uint8_t* const y = haystack.data();

  // Critical factorisation: the later of the two maximal suffixes splits the pattern into a left
  // part x[0..ell] and a right part that is matched first, left to right.
  const Factorisation forward = MaximalSuffix(x, m, false);
  const Factorisation backward = MaximalSuffix(x, m, true);
  const Factorisation split = forward.critical > backward.critical ? forward : backward;
  const Index ell = split.critical;
  Index j = static_cast<Index>(from);

  if (std::memcmp(x, x + split.period, static_cast<std::size_t>(ell + 1)) == 0) {
    // Periodic pattern: after a full match the next one can only be a period further on, and the
    // bytes the two share need no second look ("memory").
    const Index period = split.period;
    Index memory = -1;
    while (j <= n - m) {
      Index i = (ell > memory ? ell : memory) + 1;
      while (i < m && x[i] == y[i + j]) ++i;
      if (i < m) {
        j += i - ell;
        memory = -1;
        continue;
      }
      i = ell;
      while (i > memory && x[i] == y[i + j]) --i;
      if (i <= memory) return static_cast<std::size_t>(j);
      j += period;
      memory = m - period - 1;
    }
    return kNoMatch;
  }

  // Otherwise the pattern cannot overlap itself across the split, so a mismatch in the left part
  // allows a shift past the longer of the two parts.
  const Index shift = (ell + 1 > m - ell - 1 ? ell + 1 : m - ell - 1) + 1;
  while (j <= n - m) {
    Index i = ell + 1;
    while (i < m && x[i] == y[i + j]) ++i;
    if (i < m) {
      j += i - ell;
      continue;
    }
    i = ell;
    while (i >= 0 && x[i] == y[i + j]) --i;
    if (i < 0) return static_cast<std::size_t>(j);
    j += shift;
  }
  return kNoMatch;
}
