#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/byte_ops.h"
#include "core/find_bytes_simd.h"
#include "core/two_way.h"
#include "tests/core/bytes.h"

namespace {

using namespace std::string_view_literals;

std::span<const std::uint8_t> View(std::string_view text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::string Repeat(std::string_view piece, std::size_t times) {
  std::string out;
  for (std::size_t i = 0; i < times; ++i) out += piece;
  return out;
}

// Haystacks long enough for the vector paths: `fill` repeated to `length` bytes, with `pattern`
// written at each 0-based offset of `at`.
struct VectorCase {
  const char* what;
  std::string fill;
  std::size_t length;
  std::string pattern;
  std::vector<std::size_t> at;
  std::size_t from, expected;  // 0-based; expected is kNoMatch when absent
};

std::vector<VectorCase> VectorCases() {
  const std::string aab = Repeat("a", 63) + "b";
  const std::string abba = Repeat("ab", 31) + "ba";
  const std::string zeros01 = std::string(31, '\0') + '\x01';
  return {
      {"straddles a 16-byte register", "x", 100, "needle", {13}, 0, 13},
      {"straddles a 32-byte register", "x", 100, "needle", {29}, 0, 29},
      {"straddles two 32-byte registers", "x", 200, "needle", {61}, 0, 61},
      {"begins at the last start", "x", 100, "needle", {94}, 0, 94},
      {"last start, odd length", "x", 101, "needle", {95}, 0, 95},
      {"only the tail register sees it", "x", 77, "ne", {75}, 40, 75},
      {"a match before `from` is skipped", "x", 100, "needle", {10, 70}, 11, 70},
      {"one byte in the tail", "x", 77, "n", {76}, 0, 76},
      {"one byte straddling the rounds", "x", 300, "n", {127, 128}, 0, 127},
      {"one byte absent", "x", 300, "n", {}, 0, kNoMatch},
      {"just enough starts for one register", "x", 37, "needle", {31}, 0, 31},
      {"pair bytes everywhere, no match", "ne", 500, "needle", {}, 0, kNoMatch},
      // Candidates fail at almost every place: the filters give up and Two-Way finishes.
      {"a..ab in all a", "a", 5000, aab, {4000}, 0, 4000},
      {"a..ab in all a, absent", "a", 5000, aab, {}, 0, kNoMatch},
      {"zeros then 01 in zeros", std::string(1, '\0'), 5000, zeros01, {4001}, 3, 4001},
      {"(ab)..ba in abab", "ab", 5000, abba, {3000}, 0, 3000},
      {"(ab)..ba in abab, absent", "ab", 5000, abba, {}, 0, kNoMatch},
      {"period break unlike the haystack's", "aab", 3000, Repeat("ab", 20) + "aa", {2500}, 0, 2500},
  };
}

std::string Haystack(const VectorCase& c) {
  std::string haystack;
  while (haystack.size() < c.length) haystack += c.fill;
  haystack.resize(c.length);
  for (const std::size_t at : c.at) haystack.replace(at, c.pattern.size(), c.pattern);
  return haystack;
}

TEST(FindBytes, VectorPathsAndFallback) {
  for (const VectorCase& c : VectorCases()) {
    const std::string haystack = Haystack(c);
    const std::int32_t expected = c.expected == kNoMatch ? -1 : static_cast<std::int32_t>(c.expected) + 1;
    EXPECT_EQ(FindBytes(Bytes(haystack), Bytes(c.pattern), static_cast<std::int32_t>(c.from) + 1), expected) << c.what;
    EXPECT_EQ(TwoWayFind(View(haystack), View(c.pattern), c.from), c.expected) << c.what;
  }
}

// Each instruction set's scan on its own, whatever this processor picks for FindBytes. A filter
// that gives up must hand on a start past `from` and not past the match.
TEST(FindBytes, EachInstructionSet) {
  const bool hasAvx2 = __builtin_cpu_supports("avx2");
  for (const VectorCase& c : VectorCases()) {
    const std::string haystack = Haystack(c);
    const auto* h = reinterpret_cast<const std::uint8_t*>(haystack.data());
    const auto* p = reinterpret_cast<const std::uint8_t*>(c.pattern.data());
    if (c.pattern.size() == 1) {
      EXPECT_EQ(ScanForByteSse2(h, haystack.size(), c.from, p[0]), c.expected) << c.what;
      if (hasAvx2) {
        EXPECT_EQ(ScanForByteAvx2(h, haystack.size(), c.from, p[0]), c.expected) << c.what;
      }
      continue;
    }
    const BytePair pair = ChooseRarePair(View(c.pattern));
    for (const bool avx2 : {false, true}) {
      if (avx2 && !hasAvx2) continue;
      const FilterOutcome outcome =
          (avx2 ? ScanForPairAvx2 : ScanForPairSse2)(h, haystack.size(), c.from, p, c.pattern.size(), pair);
      if (outcome.settled) {
        EXPECT_EQ(outcome.at, c.expected) << c.what << (avx2 ? " avx2" : " sse2");
      } else {
        EXPECT_GT(outcome.at, c.from) << c.what;
        EXPECT_LE(outcome.at, c.expected) << c.what;
      }
    }
  }
}

struct PairCase {
  std::string_view pattern;
  std::size_t index1, index2;
};

TEST(BytePairs, RareBytesAndPeriodBreaks) {
  // The rare pair: the rarest byte, then the rarest byte of another value, else another offset.
  constexpr PairCase kRare[] = {
      {"\x00\x00\xe6\x00"sv, 2, 0},  // 0xE6 is the rarest byte in binaries, zeros the most common
      {"aaaa", 0, 3},                // all equal: two different offsets
      {"\x00\xb3\xdf"sv, 2, 1},      // 0xDF is rarer than 0xB3
  };
  for (const PairCase& c : kRare) {
    const BytePair pair = ChooseRarePair(View(c.pattern));
    EXPECT_EQ(pair.index1, c.index1) << c.pattern;
    EXPECT_EQ(pair.index2, c.index2) << c.pattern;
  }
  // The break of the longest periodic prefix: bytes a period apart that differ.
  constexpr PairCase kBreak[] = {
      {"aaaab", 3, 4},
      {"ababababba", 6, 8},  // (ab)x4 then b
      {"abcabcabd", 5, 8},
  };
  for (const PairCase& c : kBreak) {
    const std::optional<BytePair> pair = ChoosePeriodBreakPair(View(c.pattern));
    ASSERT_TRUE(pair) << c.pattern;
    EXPECT_EQ(pair->index1, c.index1) << c.pattern;
    EXPECT_EQ(pair->index2, c.index2) << c.pattern;
  }
  for (const std::string_view unbroken : {"ab", "abcd", "aaaa", "abab"}) {
    EXPECT_FALSE(ChoosePeriodBreakPair(View(unbroken))) << unbroken;
  }
}

}  // namespace
