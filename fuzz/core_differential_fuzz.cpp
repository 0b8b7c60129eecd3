// Differential fuzzing of the search and the range replacement: each input is decoded into a
// haystack, a pattern, a start and a replacement over a small alphabet (so that matches happen),
// and the core's answers are compared with plain references written straight from the rules.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "core/byte_ops.h"
#include "core/find_bytes_simd.h"
#include "core/integer_text.h"
#include "core/search.h"
#include "core/two_way.h"
#include "fuzz/fuzz_input.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class Input : public FuzzInput {
 public:
  using FuzzInput::FuzzInput;
  // `count` bytes drawn from the first `alphabet` values of `letters`.
  Bytes Text(std::size_t count, const std::uint8_t* letters, std::size_t alphabet) {
    Bytes text(count);
    for (std::uint8_t& b : text) b = letters[Byte() % alphabet];
    return text;
  }
};

// The first-byte scan, exactly as the rules describe it.
std::int32_t ReferenceFind(const Bytes& haystack, const Bytes& pattern, std::int32_t start) {
  if (pattern.empty()) return -1;
  std::int64_t s = std::int64_t{start} - 1;
  if (s < 0) s = 0;
  const auto length = static_cast<std::int64_t>(haystack.size());
  const auto patternLength = static_cast<std::int64_t>(pattern.size());
  for (; s < length; ++s) {
    if (haystack[s] != pattern[0]) continue;
    if (length - s < patternLength) return -1;
    bool whole = true;
    for (std::int64_t i = 0; i < patternLength && whole; ++i) whole = haystack[s + i] == pattern[i];
    if (whole) return static_cast<std::int32_t>(s + 1);
  }
  return -1;
}

Bytes ReferenceReplace(const Bytes& source, std::int32_t position, std::int32_t count, const Bytes& replacement) {
  const auto length = static_cast<std::int64_t>(source.size());
  std::int64_t a = std::int64_t{position} - 1;
  a = a < 0 ? 0 : (a > length ? length : a);
  std::int64_t b = count;
  b = b < 0 ? 0 : (b > length - a ? length - a : b);
  Bytes result(source.begin(), source.begin() + a);
  result.insert(result.end(), replacement.begin(), replacement.end());
  result.insert(result.end(), source.begin() + a + b, source.end());
  return result;
}

std::span<const std::uint8_t> View(const Bytes& bytes) { return bytes; }

void CheckFind(const Bytes& haystack, const Bytes& pattern, std::int32_t start) {
  const std::int32_t expected = ReferenceFind(haystack, pattern, start);
  Check(FindBytes(View(haystack), View(pattern), start) == expected, "FindBytes");
  if (pattern.empty() || start > static_cast<std::int32_t>(haystack.size())) return;

  // Each way of searching on its own, whatever this processor would pick.
  const std::size_t from = start <= 1 ? 0 : static_cast<std::size_t>(start) - 1;
  const std::size_t expectedAt = expected == -1 ? kNoMatch : static_cast<std::size_t>(expected) - 1;
  Check(TwoWayFind(haystack, pattern, from) == expectedAt, "TwoWayFind");
  if (pattern.size() == 1) {
    Check(ScanForByteSse2(haystack.data(), haystack.size(), from, pattern[0]) == expectedAt, "ScanForByteSse2");
    if (__builtin_cpu_supports("avx2"))
      Check(ScanForByteAvx2(haystack.data(), haystack.size(), from, pattern[0]) == expectedAt, "ScanForByteAvx2");
    return;
  }
  if (haystack.size() < pattern.size()) return;
  const std::size_t candidates = haystack.size() - pattern.size() + 1 - from;
  const BytePair pairs[] = {ChooseRarePair(pattern), ChoosePeriodBreakPair(pattern).value_or(ChooseRarePair(pattern))};
  for (const BytePair& pair : pairs) {
    Check(pair.index1 != pair.index2 && pair.index1 < pattern.size() && pair.index2 < pattern.size() &&
              pattern[pair.index1] == pair.byte1 && pattern[pair.index2] == pair.byte2,
          "BytePair");
    // A filter that gives up must have ruled out every start before the one it hands on.
    auto agrees = [&](FilterOutcome outcome) {
      if (outcome.settled) return outcome.at == expectedAt;
      return outcome.at > from && (expectedAt == kNoMatch || outcome.at <= expectedAt);
    };
    if (candidates >= 16)
      Check(agrees(ScanForPairSse2(haystack.data(), haystack.size(), from, pattern.data(), pattern.size(), pair)),
            "ScanForPairSse2");
    if (candidates >= 32 && __builtin_cpu_supports("avx2"))
      Check(agrees(ScanForPairAvx2(haystack.data(), haystack.size(), from, pattern.data(), pattern.size(), pair)),
            "ScanForPairAvx2");
  }
}

void CheckReplace(const Bytes& source, std::int32_t position, std::int32_t count, const Bytes& replacement) {
  const ByteBlock result = ReplaceRange(ByteBlock(source), position, count, ByteBlock(replacement));
  const Bytes expected = ReferenceReplace(source, position, count, replacement);
  Check(Bytes(result.Bytes().begin(), result.Bytes().end()) == expected, "ReplaceRange");
}

void CheckOccurrences(const Bytes& image, const Bytes& pattern) {
  const std::string text(pattern.begin(), pattern.end());
  Workspace workspace;
  workspace.image.Install(ByteBlock(image));
  workspace.results.Append({"9", "old", "9"});
  FindOccurrences(workspace, text);
  if (text.empty()) {
    Check(workspace.results.Count() == 1 && workspace.status.Text() == kStatusEnterSearchText, "empty search");
    return;
  }
  std::vector<ResultRow> expected;
  for (std::int32_t last = 0, k = 1; k <= kMaxResultRows; ++k) {
    last = ReferenceFind(image, pattern, last + 1);
    if (last == -1) break;
    expected.push_back({IntegerToText(k), text, IntegerToText(last)});
  }
  Check(workspace.results.Count() == static_cast<std::int32_t>(expected.size()), "row count");
  for (std::size_t i = 0; i < expected.size(); ++i)
    Check(*workspace.results.RowAt(static_cast<std::int32_t>(i)) == expected[i], "row");
  Check(workspace.status.Text() == (expected.empty() ? kStatusNotFound : kStatusAtStart), "search status");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  // Small alphabets make matches and near-matches common; the last one spans every byte value.
  static constexpr std::uint8_t kLetters[] = {'a', 'b', 0x00, 0xd6, 'c', 0xff, 0x01, 'd'};
  static std::uint8_t allBytes[256];
  for (int b = 0; b < 256; ++b) allBytes[b] = static_cast<std::uint8_t>(b);
  const std::uint8_t mode = input.Byte();
  const bool wide = mode % 8 == 7;
  const std::uint8_t* letters = wide ? allBytes : kLetters;
  const std::size_t alphabet = wide ? 256 : 1 + mode % 4;

  const std::size_t patternLength = static_cast<std::size_t>(input.Between(0, 70));
  const Bytes pattern = input.Text(patternLength, letters, alphabet);
  const auto haystackLength = static_cast<std::size_t>(input.Between(0, 300));
  Bytes haystack = input.Text(haystackLength, letters, alphabet);
  // Plant the pattern, often near a register's edge or the end, so that whole matches are tested.
  if ((mode & 0x10) != 0 && haystack.size() >= pattern.size()) {
    const auto at = static_cast<std::size_t>(input.Between(0, 300)) % (haystack.size() - pattern.size() + 1);
    std::copy(pattern.begin(), pattern.end(), haystack.begin() + static_cast<std::ptrdiff_t>(at));
  }
  const std::int32_t limit = static_cast<std::int32_t>(haystack.size()) + 3;
  CheckFind(haystack, pattern, input.Between(-3, limit));
  CheckFind(haystack, pattern, input.Between(-3, limit));

  const Bytes replacement = input.Text(static_cast<std::size_t>(input.Between(0, 20)), letters, alphabet);
  const std::int32_t position =
      (mode & 0x20) != 0 ? input.Between(-2, limit)
                         : static_cast<std::int32_t>(std::uint32_t{input.Byte()} << 24 | input.Between(0, 65535));
  const std::int32_t count =
      (mode & 0x40) != 0 ? input.Between(-3, limit)
                         : static_cast<std::int32_t>(std::uint32_t{input.Byte()} << 24 | input.Between(0, 65535));
  CheckReplace(haystack, position, count, replacement);
  CheckOccurrences(haystack, pattern);
  return 0;
}
