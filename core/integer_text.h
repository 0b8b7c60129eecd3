#pragma once

// Conversions between the signed 32-bit integers shown to the user and their decimal texts.

#include <cstdint>
#include <string>
#include <string_view>

// Reads a decimal integer the way users type it: full-width GBK digits, signs and spaces are
// folded to ASCII first; then leading white space is skipped, one optional + or - is taken and
// digits are read until the first non-digit (the rest is ignored). Digits accumulate modulo
// 2^32 and the result is read as signed, so "2147483648" gives -2147483648. No digits gives 0.
[[nodiscard]] std::int32_t TextToInteger(std::string_view text) noexcept;

// Decimal digits, "-" before negative values, no leading zeros, grouping or plus sign.
[[nodiscard]] std::string IntegerToText(std::int32_t value);
