#include "core/byte_ops.h"

#include <algorithm>
#include <cstring>

ByteBlock TextBytes(std::string_view text) {
  return ByteBlock({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

std::int32_t TextLength(std::string_view text) noexcept {
  return static_cast<std::int32_t>(std::min<std::size_t>(text.size(), ByteBlock::kMaxLength));
}

void ReplaceRangeInto(ByteBlock& target, const ByteBlock& source, std::int32_t position, std::int32_t count,
                      const ByteBlock& replacement) {
  const std::int64_t length = source.Length();
  const std::int64_t offset = std::clamp<std::int64_t>(std::int64_t{position} - 1, 0, length);
  const std::int64_t span = std::clamp<std::int64_t>(count, 0, length - offset);
  const std::int64_t tail = length - offset - span;
  target.ResizeForOverwrite(offset + replacement.Length() + tail);  // throws when it cannot be had
  std::uint8_t* out = target.MutableBytes().data();
  if (offset > 0) std::memcpy(out, source.Data(), offset);
  if (!replacement.IsEmpty()) std::memcpy(out + offset, replacement.Data(), replacement.Length());
  if (tail > 0) std::memcpy(out + offset + replacement.Length(), source.Data() + offset + span, tail);
}

ByteBlock ReplaceRange(const ByteBlock& source, std::int32_t position, std::int32_t count,
                       const ByteBlock& replacement) {
  ByteBlock result;
  ReplaceRangeInto(result, source, position, count, replacement);
  return result;
}

ByteBlock ZeroBytes(std::int32_t byteCount) {
  ByteBlock zeros;
  if (byteCount <= 0) return zeros;
  zeros.ResizeForOverwrite(byteCount);
  std::ranges::fill(zeros.MutableBytes(), std::uint8_t{0});
  return zeros;
}

ByteBlock JoinBytes(std::initializer_list<std::span<const std::uint8_t>> parts) {
  std::int64_t total = 0;
  for (const auto part : parts) total += static_cast<std::int64_t>(part.size());
  ByteBlock joined;
  joined.ResizeForOverwrite(total);
  std::uint8_t* out = joined.MutableBytes().data();
  for (const auto part : parts) {
    if (part.empty()) continue;
    std::memcpy(out, part.data(), part.size());
    out += part.size();
  }
  return joined;
}
