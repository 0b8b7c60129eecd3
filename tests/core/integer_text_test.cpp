#include <gtest/gtest.h>

#include <string>

#include "core/integer_text.h"

namespace {

struct ToIntegerCase {
  std::string_view text;
  std::int32_t expected;
};
constexpr ToIntegerCase kToIntegerCases[] = {
    {"", 0},
    {"   42", 42},       // leading spaces skipped
    {"\t\r\n\v\f7", 7},  // all white space 0x09..0x0D
    {"+7", 7},
    {"-7", -7},
    {"12abc", 12},  // trailing characters ignored
    {"abc", 0},
    {"1 2", 1},
    {"+", 0},
    {"-", 0},
    {"--5", 0},                         // one sign only
    {"\xa3\xb1\xa3\xb2\xa3\xb3", 123},  // full-width digits
    {"\xa3\xad\xa3\xb1\xa3\xb2", -12},  // full-width minus and digits
    {"\xa3\xab\xa3\xb9", 9},            // full-width plus
    {"\xa1\xa1\xa1\xa1"
     "5",
     5},  // ideographic spaces
    {"1\xa3\xb2"
     "3",
     123},  // half- and full-width mixed
    {"\xd6\xd0"
     "5",
     0},           // another double-byte character is no digit
    {"5\xa3", 5},  // a lone lead byte at the end
    {"2147483647", 2147483647},
    {"2147483648", -2147483647 - 1},  // wraps modulo 2^32
    {"-2147483648", -2147483647 - 1},
    {"4294967297", 1},  // 2^32 + 1
    {"\xa3\xb2\xa3\xb1\xa3\xb4\xa3\xb7\xa3\xb4\xa3\xb8\xa3\xb3\xa3\xb6\xa3\xb4\xa3\xb8", -2147483647 - 1},
    {"0000012", 12},
};

TEST(TextToInteger, ReadsNumbersAsTyped) {
  for (const ToIntegerCase& c : kToIntegerCases) EXPECT_EQ(TextToInteger(c.text), c.expected) << c.text;
}

// Folding over every pair: only 0xA3 0xA1..0xFE and the four 0xA1 pairs turn into ASCII.
TEST(TextToInteger, FoldsOnlyTheFullWidthPairs) {
  for (int lead = 0x80; lead <= 0xFF; ++lead) {
    for (int trail = 0x00; trail <= 0xFF; ++trail) {
      const std::string text = {static_cast<char>(lead), static_cast<char>(trail), '7'};
      int expected = 0;
      if (lead == 0xA3 && trail >= 0xB0 && trail <= 0xB9) expected = (trail - 0xB0) * 10 + 7;  // a digit
      if (lead == 0xA3 && trail == 0xAB) expected = 7;                                         // +
      if (lead == 0xA3 && trail == 0xAD) expected = -7;                                        // -
      if (lead == 0xA1 && trail == 0xA1) expected = 7;                                         // space
      ASSERT_EQ(TextToInteger(text), expected) << std::hex << lead << " " << trail;
    }
  }
}

TEST(IntegerToText, WritesPlainDecimal) {
  EXPECT_EQ(IntegerToText(0), "0");
  EXPECT_EQ(IntegerToText(-1), "-1");
  EXPECT_EQ(IntegerToText(1000), "1000");
  EXPECT_EQ(IntegerToText(-2147483647 - 1), "-2147483648");
  for (const std::int32_t n : {1, 9, 10, 12345, 2147483647, -2147483647}) EXPECT_EQ(TextToInteger(IntegerToText(n)), n);
}

}  // namespace
