#pragma once

// The vectorised scans, written once over a vector type V and compiled once per instruction set
// (find_bytes_sse2.cpp, find_bytes_avx2.cpp). Each of those files passes a V of its own, private
// to it, so that code built for AVX2 is never shared with the SSE2 path. V provides kWidth (bytes
// per register), Register, Load (unaligned), Splat, Equal, And, Or and Mask (one bit per byte).
// Only plain code and builtins here: a standard library template instantiated in the AVX2 file
// could be picked by the linker for the whole program.

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/find_bytes_simd.h"

// The offset of the first `byte` at or after `from`, or kNoMatch.
template <class V>
std::size_t ScanForByte(const std::uint8_t* haystack, std::size_t length, std::size_t from, std::uint8_t byte) {
  constexpr std::size_t W = V::kWidth;
  if (length - from < W) {
    for (std::size_t at = from; at < length; ++at) {
      if (haystack[at] == byte) return at;
    }
    return kNoMatch;
  }
  const typename V::Register wanted = V::Splat(byte);
  std::size_t at = from;
  // Four registers a round keep enough loads in flight to run at memory speed.
  for (; at + 4 * W <= length; at += 4 * W) {
    const auto e0 = V::Equal(V::Load(haystack + at), wanted);
    const auto e1 = V::Equal(V::Load(haystack + at + W), wanted);
    const auto e2 = V::Equal(V::Load(haystack + at + 2 * W), wanted);
    const auto e3 = V::Equal(V::Load(haystack + at + 3 * W), wanted);
    if (V::Mask(V::Or(V::Or(e0, e1), V::Or(e2, e3))) == 0) continue;
    for (std::size_t part = 0; part < 4; ++part) {
      const std::uint32_t mask = V::Mask(V::Equal(V::Load(haystack + at + part * W), wanted));
      if (mask != 0) return at + part * W + static_cast<std::size_t>(__builtin_ctz(mask));
    }
  }
  for (; at + W <= length; at += W) {
    const std::uint32_t mask = V::Mask(V::Equal(V::Load(haystack + at), wanted));
    if (mask != 0) return at + static_cast<std::size_t>(__builtin_ctz(mask));
  }
  if (at == length) return kNoMatch;
  // The tail: one last register that ends at the haystack's end, minus the bytes already seen.
  const std::size_t base = length - W;
  const std::uint32_t mask = V::Mask(V::Equal(V::Load(haystack + base), wanted)) >> (at - base);
  return mask == 0 ? kNoMatch : at + static_cast<std::size_t>(__builtin_ctz(mask));
}

// Candidate starts are those where both bytes of `pair` stand at their offsets; each is verified
// whole. Failed candidates cost a budget that the scanned bytes refill; when it runs out the
// caller goes on with another filter or Two-Way, so the time stays linear. There are at least
// kWidth candidate starts (from .. length - patternLength).
template <class V>
FilterOutcome ScanForPair(const std::uint8_t* haystack, std::size_t length, std::size_t from,
                          const std::uint8_t* pattern, std::size_t patternLength, BytePair pair) {
  constexpr std::size_t W = V::kWidth;
  // A failing candidate costs about as much as this many bytes of Two-Way, plus its comparison.
  constexpr std::uint64_t kCandidateCost = 16;
  constexpr std::uint64_t kStartingBudget = 1024;
  const std::size_t last = length - patternLength;  // the last candidate start
  const typename V::Register first = V::Splat(pair.byte1);
  const typename V::Register second = V::Splat(pair.byte2);
  const std::uint8_t* const at1 = haystack + pair.index1;
  const std::uint8_t* const at2 = haystack + pair.index2;
  std::uint64_t spent = 0;

  auto both = [&](std::size_t base) {
    return V::And(V::Equal(V::Load(at1 + base), first), V::Equal(V::Load(at2 + base), second));
  };
  auto candidates = [&](std::size_t base) { return V::Mask(both(base)); };
  FilterOutcome outcome{kNoMatch, true};
  // Verifies the candidates of one register, lowest start first; true when the search is over.
  auto verify = [&](std::size_t base, std::uint32_t mask) {
    for (; mask != 0; mask &= mask - 1) {
      const std::size_t start = base + static_cast<std::size_t>(__builtin_ctz(mask));
      if (std::memcmp(haystack + start, pattern, patternLength) == 0) {
        outcome = {start, true};
        return true;
      }
      spent += kCandidateCost + patternLength;
      if (spent > kStartingBudget + (start - from)) {
        outcome = {start + 1, false};
        return true;
      }
    }
    return false;
  };

  std::size_t at = from;
  if (at + W <= last + 1) {
    // One register from `from`, then on from where the first byte's loads are aligned, so that
    // they never straddle cache lines. Starts seen twice on the way are merely verified twice.
    if (verify(at, candidates(at))) return outcome;
    at += W - reinterpret_cast<std::uintptr_t>(at1 + at + W) % W;
  }
  // Four registers a round, tested at once, as the byte scan does (the last load of a round ends
  // at most at last + W - 1 + index2 <= length - 1).
  for (; at + 4 * W <= last + 1; at += 4 * W) {
    if (V::Mask(V::Or(V::Or(both(at), both(at + W)), V::Or(both(at + 2 * W), both(at + 3 * W)))) == 0) continue;
    for (std::size_t part = 0; part < 4; ++part) {
      if (verify(at + part * W, candidates(at + part * W))) return outcome;
    }
  }
  for (; at + W <= last + 1; at += W) {
    if (verify(at, candidates(at))) return outcome;
  }
  if (at <= last) {
    // The tail: one register of starts that ends at the last start, minus those already seen.
    const std::size_t base = last + 1 - W;
    if (verify(base, candidates(base) & (~std::uint32_t{0} << (at - base)))) return outcome;
  }
  return outcome;
}
