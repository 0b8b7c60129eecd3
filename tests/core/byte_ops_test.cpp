#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/byte_ops.h"
#include "tests/core/bytes.h"

namespace {

// The search as its contract states it, one place at a time.
std::int32_t ReferenceFind(std::string_view haystack, std::string_view pattern, std::int32_t start) {
  if (pattern.empty()) return -1;
  for (std::int64_t at = start <= 1 ? 0 : start - 1;
       at + static_cast<std::int64_t>(pattern.size()) <= static_cast<std::int64_t>(haystack.size()); ++at) {
    if (haystack.substr(static_cast<std::size_t>(at), pattern.size()) == pattern)
      return static_cast<std::int32_t>(at + 1);
  }
  return -1;
}

struct FindCase {
  std::string_view haystack, pattern;
  std::int32_t start, expected;
};
constexpr FindCase kFindCases[] = {
    {"abc", "", 1, -1},    // empty pattern
    {"", "a", 1, -1},      // empty haystack
    {"abc", "a", 0, 1},    // start 0 searches from the first byte
    {"abc", "a", -5, 1},   // and so does a negative one
    {"abc", "c", 4, -1},   // start = length + 1
    {"abc", "c", 3, 3},    // start = length finds only the last byte
    {"abc", "bc", 3, -1},  // a pattern longer than what remains
    {"aaaa", "aa", 1, 1},  // overlapping occurrences
    {"aaaa", "aa", 2, 2},
    {"aaaa", "aa", 3, 3},
    {"aaaa", "aa", 4, -1},
    {"xyzabc", "abc", 1, 4},                 // ends at the last byte
    {"abcabd", "abd", 1, 4},                 // a first-byte hit that fails, then a match
    {"\xd6\xd0\xce\xc4", "\xd0\xce", 1, 2},  // byte-wise: a match inside double-byte characters
    {std::string_view("a\0b", 3), std::string_view("\0b", 2), 1, 2},  // NUL bytes are bytes
};

TEST(FindBytes, EdgeCases) {
  for (const FindCase& c : kFindCases) {
    EXPECT_EQ(FindBytes(Bytes(c.haystack), Bytes(c.pattern), c.start), c.expected)
        << "haystack=" << c.haystack << " pattern=" << c.pattern << " start=" << c.start;
  }
}

// Every start against the plain reference, over haystacks whose filler around the data varies,
// so that matches fall at every alignment of a vectorised scan.
TEST(FindBytes, AgreesWithReferenceAtEveryStartAndAlignment) {
  const std::string patterns[] = {
      "a", "ab", "aab", "abab", "baaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab", std::string(40, 'a') + "b"};
  for (int filler = 0; filler < 70; filler += 7) {
    for (const std::string& pattern : patterns) {
      const std::string haystack = std::string(filler, 'a') + "xab" + std::string(filler, 'b') + pattern +
                                   std::string(filler % 5, 'a') + pattern.substr(0, pattern.size() / 2);
      for (std::int32_t start = -1; start <= static_cast<std::int32_t>(haystack.size()) + 2; ++start) {
        ASSERT_EQ(FindBytes(Bytes(haystack), Bytes(pattern), start), ReferenceFind(haystack, pattern, start))
            << "filler=" << filler << " pattern=" << pattern << " start=" << start;
      }
    }
  }
}

TEST(FindBytes, AllByteValuesMatchOnlyThemselves) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  for (int b = 0; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    EXPECT_EQ(FindBytes(Bytes(all + all), Bytes(one), 1), b + 1) << b;
    EXPECT_EQ(FindBytes(Bytes(all + all), Bytes(one), b + 2), b + 257) << b;
  }
}

struct ReplaceCase {
  std::string_view source;
  std::int32_t position, count;
  std::string_view with, expected;
};
constexpr ReplaceCase kReplaceCases[] = {
    {"ABCDEF", 3, 2, "xy", "ABxyEF"},      // same length
    {"ABCDEF", 6, 3, "xyz", "ABCDExyz"},   // span cut at the end, block grows
    {"ABCDEF", 7, 3, "xyz", "ABCDEFxyz"},  // one past the end appends
    {"ABCDEF", 99, 3, "xyz", "ABCDEFxyz"},
    {"ABCDEF", 0, 2, "xy", "xyCDEF"},  // position clamped to the first byte
    {"ABCDEF", -4, 2, "xy", "xyCDEF"},
    {"", 5, 3, "xyz", "xyz"},              // empty source
    {"ABCDEF", 3, -1, "xy", "ABxyCDEF"},   // negative count inserts
    {"ABCDEF", 3, 2, "", "ABEF"},          // empty replacement deletes
    {"ABCDEF", 1, 6, "", ""},              // to the empty block
    {"ABCDEF", 2, 0x7fffffff, "x", "Ax"},  // a huge count is cut at the end
};

TEST(ReplaceRange, ClampsAndInsertsWhole) {
  for (const ReplaceCase& c : kReplaceCases) {
    const ByteBlock source = Bytes(c.source);
    const ByteBlock result = ReplaceRange(source, c.position, c.count, Bytes(c.with));
    EXPECT_EQ(Text(result), c.expected) << c.source << " @" << c.position << " #" << c.count << " " << c.with;
    EXPECT_EQ(Text(source), c.source) << "the source must not change";
  }
}

TEST(ReplaceRange, IntoReusedMemoryOfAnySize) {
  for (const std::string_view old : {"", "12", "123456789012345"}) {
    ByteBlock target = Bytes(old);
    ReplaceRangeInto(target, Bytes("ABCDEF"), 3, 2, Bytes("xyz"));
    EXPECT_EQ(Text(target), "ABxyzEF") << old;
  }
}

TEST(ByteBlocks, ZeroesJoinsAndLengths) {
  EXPECT_TRUE(ZeroBytes(0).IsEmpty());
  EXPECT_TRUE(ZeroBytes(-3).IsEmpty());
  EXPECT_EQ(Text(ZeroBytes(3)), std::string(3, '\0'));
  EXPECT_TRUE(JoinBytes(ByteBlock{}, ByteBlock{}).IsEmpty());
  EXPECT_EQ(Text(JoinBytes(Bytes("ab"), ByteBlock{}, Bytes("c"))), "abc");
  const std::string twoChinese = "\xd6\xd0\xce\xc4";  // 中文 in GBK
  EXPECT_EQ(TextLength(twoChinese), 4);
  EXPECT_EQ(ByteLength(TextBytes(twoChinese)), TextLength(twoChinese));
  EXPECT_TRUE(TextBytes("").IsEmpty());
}

TEST(ByteBlocks, AllocationBeyondTheLimitFailsWithTheSizeAsked) {
  SetBlockAllocationLimit(100);
  try {
    (void)ZeroBytes(101);
    ADD_FAILURE() << "expected BlockAllocationError";
  } catch (const BlockAllocationError& e) {
    EXPECT_EQ(e.ByteCount(), 101u);
  }
  EXPECT_EQ(ZeroBytes(100).Length(), 100);
  SetBlockAllocationLimit(SIZE_MAX);
}

}  // namespace
