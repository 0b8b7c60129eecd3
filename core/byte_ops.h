#pragma once

// The byte and text operations the search and the patch are built from. Positions are 1-based;
// -1 means "not found". Out-of-range starts, positions and counts are clamped, never refused,
// and empty texts and blocks are valid arguments and results everywhere. No operation changes
// a block it is given. Texts are ANSI byte strings (the system code page, GBK on Chinese
// systems): a double-byte character counts as two bytes.

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

#include "core/byte_block.h"

// The text's bytes, no terminator. O(length).
[[nodiscard]] ByteBlock TextBytes(std::string_view text);

// The text's length in bytes; equals ByteLength(TextBytes(text)).
[[nodiscard]] std::int32_t TextLength(std::string_view text) noexcept;

[[nodiscard]] inline std::int32_t ByteLength(const ByteBlock& block) noexcept { return block.Length(); }

// 1-based position of the leftmost occurrence of `pattern` in `haystack` that begins at or after
// 1-based `start`, or -1. An empty pattern or haystack gives -1; a start of 0 or below searches
// from the first byte; a start past the end gives -1. Occurrences may overlap earlier ones and
// may begin inside a double-byte character: matching is byte-wise.
// Linear in the searched part of the haystack, whatever the pattern.
[[nodiscard]] std::int32_t FindBytes(std::span<const std::uint8_t> haystack, std::span<const std::uint8_t> pattern,
                                     std::int32_t start) noexcept;
[[nodiscard]] inline std::int32_t FindBytes(const ByteBlock& haystack, const ByteBlock& pattern,
                                            std::int32_t start) noexcept {
  return FindBytes(haystack.Bytes(), pattern.Bytes(), start);
}

// A new block: `source` with `count` bytes at 1-based `position` replaced by `replacement`, which
// is always inserted whole. The offset is clamped into 0..length (so a position of 0 or below
// means the first byte and one past the end appends) and the count into what remains from
// there (a negative count replaces nothing, so the replacement is inserted). `source` is not
// changed. O(source size + replacement size).
[[nodiscard]] ByteBlock ReplaceRange(const ByteBlock& source, std::int32_t position, std::int32_t count,
                                     const ByteBlock& replacement);

// The same, built into `target`'s memory (reused when large enough; its old bytes are lost).
// `target` must not be `source` or `replacement`.
void ReplaceRangeInto(ByteBlock& target, const ByteBlock& source, std::int32_t position, std::int32_t count,
                      const ByteBlock& replacement);

// `byteCount` zero bytes; empty when `byteCount` is 0 or negative.
[[nodiscard]] ByteBlock ZeroBytes(std::int32_t byteCount);

// The parts' bytes one after another, in order; empty when all are empty.
[[nodiscard]] ByteBlock JoinBytes(std::initializer_list<std::span<const std::uint8_t>> parts);
template <class... Blocks>
[[nodiscard]] ByteBlock JoinBytes(const ByteBlock& first, const Blocks&... rest) {
  return JoinBytes({first.Bytes(), rest.Bytes()...});
}
