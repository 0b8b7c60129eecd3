#include "core/integer_text.h"

#include <charconv>

namespace {

// Walks a text as its ASCII reading: full-width GBK characters that stand for ASCII ones are
// folded to them. Any other double-byte character reads as its lead byte (0x80 or above), which
// is neither a space, a sign nor a digit, so the number ends there; a lone lead byte at the very
// end is dropped.
class FoldedText {
 public:
  explicit FoldedText(std::string_view text) : text_(text) {}

  // The current character, or -1 at the end.
  [[nodiscard]] int Peek() const {
    if (at_ >= text_.size()) return -1;
    const auto lead = static_cast<unsigned char>(text_[at_]);
    if (lead < 0x80) return lead;
    if (at_ + 1 == text_.size()) return -1;
    const auto trail = static_cast<unsigned char>(text_[at_ + 1]);
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return trail - 0x80;  // digits, signs, letters
    if (lead == 0xA1 && trail == 0xA1) return ' ';                            // ideographic space
    if (lead == 0xA1 && trail == 0xAB) return '~';
    if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) return '*';
    return lead;
  }

  void Advance() { at_ += static_cast<unsigned char>(text_[at_]) < 0x80 ? 1 : 2; }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
};

bool IsSpace(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(int c) { return c >= '0' && c <= '9'; }

}  // namespace

std::int32_t TextToInteger(std::string_view text) noexcept {
  FoldedText in(text);
  while (IsSpace(in.Peek())) in.Advance();
  bool negative = false;
  if (in.Peek() == '+' || in.Peek() == '-') {
    negative = in.Peek() == '-';
    in.Advance();
  }
  std::uint32_t value = 0;  // wraps modulo 2^32, as the conversion is defined
  for (int c = in.Peek(); IsDigit(c); in.Advance(), c = in.Peek())
    value = value * 10u + static_cast<std::uint32_t>(c - '0');
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

std::string IntegerToText(std::int32_t value) {
  char digits[12];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  return std::string(digits, end);
}
