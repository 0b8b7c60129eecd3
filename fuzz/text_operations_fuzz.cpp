// Fuzzing of the operations that take the user's typed texts: the position conversion, the
// replacement and the patch of a workspace, with the search that follows it. Texts are drawn from
// the bytes that make typed input hard: digits, signs and white space in ASCII and full width,
// lone lead bytes of double-byte characters, bytes 0x80-0xFF, CR LF and NUL. Every answer is
// compared with a plain reference written from the rules, status text and rows included.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "core/byte_ops.h"
#include "core/integer_text.h"
#include "core/patch.h"
#include "core/search.h"
#include "fuzz/fuzz_input.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class Input : public FuzzInput {
 public:
  using FuzzInput::FuzzInput;
  // Up to `maxLength` bytes: raw when `raw`, else drawn from the awkward bytes of typed text.
  std::string Text(std::int32_t maxLength, bool raw) {
    static constexpr std::uint8_t kAwkward[] = {
        '0',  '1',  '5',  '9',  '+',  '-',  ' ',  '\t', '\r', '\n', 0x0b, 0x00, 'a',  'X',  0xA3, 0xA3, 0xA1, 0xB0,
        0xB2, 0xB9, 0xAB, 0xAD, 0xA1, 0xEE, 0xEF, 0xFE, 0xD6, 0xD0, 0x80, 0xFF, 0x81, 0x40, 0x7F, 0xA0, 0xAF, 0xBA,
    };
    std::string text(static_cast<std::size_t>(Between(0, maxLength)), '\0');
    for (char& c : text) c = static_cast<char>(raw ? Byte() : kAwkward[Byte() % sizeof kAwkward]);
    return text;
  }
};

// Full-width folding, then the conversion, each step as the rules state it.
std::string ReferenceFold(const std::string& text) {
  std::string folded;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto first = static_cast<unsigned char>(text[i]);
    if (first < 0x80) {
      folded += text[i];
      continue;
    }
    if (i + 1 == text.size()) break;  // a lone lead byte at the end is dropped
    const auto second = static_cast<unsigned char>(text[++i]);
    if (first == 0xA3 && second >= 0xA1 && second <= 0xFE)
      folded += static_cast<char>(second - 0x80);
    else if (first == 0xA1 && second == 0xA1)
      folded += ' ';
    else if (first == 0xA1 && second == 0xAB)
      folded += '~';
    else if (first == 0xA1 && (second == 0xEE || second == 0xEF))
      folded += '*';
    else
      folded += {static_cast<char>(first), static_cast<char>(second)};
  }
  return folded;
}

std::int32_t ReferenceTextToInteger(const std::string& text) {
  const std::string folded = ReferenceFold(text);
  std::size_t i = 0;
  while (i < folded.size() && (folded[i] == ' ' || (folded[i] >= '\t' && folded[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) negative = folded[i++] == '-';
  std::uint64_t value = 0;
  for (; i < folded.size() && folded[i] >= '0' && folded[i] <= '9'; ++i)
    value = (value * 10 + static_cast<std::uint64_t>(folded[i] - '0')) % (std::uint64_t{1} << 32);
  if (negative) value = ((std::uint64_t{1} << 32) - value) % (std::uint64_t{1} << 32);
  return static_cast<std::int32_t>(value >= (std::uint64_t{1} << 31) ? std::int64_t(value) - (std::int64_t{1} << 32)
                                                                     : std::int64_t(value));
}

std::int32_t ReferenceFind(const Bytes& haystack, const Bytes& pattern, std::int64_t start) {
  if (pattern.empty()) return -1;
  for (std::size_t s = static_cast<std::size_t>(std::max<std::int64_t>(start - 1, 0)); s < haystack.size(); ++s) {
    if (haystack[s] != pattern[0]) continue;
    if (haystack.size() - s < pattern.size()) return -1;
    if (std::equal(pattern.begin(), pattern.end(), haystack.begin() + static_cast<std::ptrdiff_t>(s)))
      return static_cast<std::int32_t>(s + 1);
  }
  return -1;
}

// What the user can see of a workspace: the image, the rows and the status text.
struct Model {
  Bytes image;
  std::vector<ResultRow> rows;
  std::u8string status;
};

void ReferenceSearch(Model& model, const std::string& searchText) {
  if (searchText.empty()) {
    model.status = kStatusEnterSearchText;
    return;
  }
  const Bytes pattern(searchText.begin(), searchText.end());
  model.rows.clear();
  for (std::int32_t last = 0, k = 1; k <= kMaxResultRows; ++k) {
    last = ReferenceFind(model.image, pattern, std::int64_t{last} + 1);
    if (last == -1) break;
    model.rows.push_back({IntegerToText(k), searchText, IntegerToText(last)});
  }
  if (model.rows.empty()) model.status = kStatusNotFound;
}

Bytes ReferenceReplacement(const std::string& searchText, const std::string& replacementText) {
  Bytes bytes(replacementText.begin(), replacementText.end());
  bytes.resize(searchText.size(), 0);  // zero-padded to the search text's length
  return bytes;
}

void ReferencePatch(Model& model, const std::string& searchText, const std::string& positionText,
                    const std::string& replacementText) {
  if (replacementText.size() > searchText.size()) {
    model.status = kStatusReplacementTooLong;
    return;
  }
  if (positionText.empty()) {
    model.status = kStatusEnterPosition;
    return;
  }
  const auto length = static_cast<std::int64_t>(model.image.size());
  const std::int64_t a = std::clamp<std::int64_t>(std::int64_t{ReferenceTextToInteger(positionText)} - 1, 0, length);
  const std::int64_t b = std::clamp<std::int64_t>(static_cast<std::int64_t>(searchText.size()), 0, length - a);
  Bytes next(model.image.begin(), model.image.begin() + a);
  const Bytes replacement = ReferenceReplacement(searchText, replacementText);
  next.insert(next.end(), replacement.begin(), replacement.end());
  next.insert(next.end(), model.image.begin() + a + b, model.image.end());
  model.image = std::move(next);
  ReferenceSearch(model, searchText);
  model.status = kStatusPatched;
}

bool Matches(const Workspace& workspace, const Model& model) {
  const std::span<const std::uint8_t> image = workspace.image.Bytes().Bytes();
  if (!std::equal(image.begin(), image.end(), model.image.begin(), model.image.end())) return false;
  if (workspace.status.Text() != model.status) return false;
  if (workspace.results.Count() != static_cast<std::int32_t>(model.rows.size())) return false;
  for (std::size_t i = 0; i < model.rows.size(); ++i)
    if (*workspace.results.RowAt(static_cast<std::int32_t>(i)) != model.rows[i]) return false;
  return true;
}

void CheckTextToInteger(const std::string& text) {
  const std::int32_t value = TextToInteger(text);
  Check(value == ReferenceTextToInteger(text), "TextToInteger");
  Check(TextToInteger(IntegerToText(value)) == value, "IntegerToText round trip");
  char printed[16];
  std::snprintf(printed, sizeof printed, "%d", static_cast<int>(value));
  Check(IntegerToText(value) == printed, "IntegerToText");
}

void CheckReplacement(const std::string& searchText, const std::string& replacementText) {
  Check(TextLength(searchText) == ByteLength(TextBytes(searchText)), "TextLength");
  if (replacementText.size() > searchText.size()) return;  // refused before it is built
  const ByteBlock built = BuildReplacement(searchText, replacementText);
  const Bytes expected = ReferenceReplacement(searchText, replacementText);
  Check(std::equal(built.Bytes().begin(), built.Bytes().end(), expected.begin(), expected.end()), "BuildReplacement");
}

// The position text: typed garbage, or a number near the image (as a row would give it), or one
// far outside it, written in ASCII or in full-width GBK digits.
std::string PositionText(Input& input, std::int32_t imageLength) {
  const std::uint8_t how = input.Byte();
  if (how % 4 == 0) return input.Text(12, how % 8 == 4);
  const std::int32_t value =
      how % 4 == 1   ? input.Between(-3, imageLength + 3)
      : how % 4 == 2 ? static_cast<std::int32_t>(std::uint32_t{input.Byte()} << 24 | std::uint32_t{input.Byte()} << 16 |
                                                 static_cast<std::uint32_t>(input.Between(0, 65535)))
                     : input.Between(0, imageLength + 3);
  const std::string digits = IntegerToText(value);
  if (how % 8 < 4) return digits;
  std::string fullWidth;
  for (const char c : digits)
    fullWidth += {static_cast<char>(0xA3), static_cast<char>(static_cast<unsigned char>(c) + 0x80)};
  return fullWidth;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const std::uint8_t mode = input.Byte();
  const bool raw = (mode & 0x01) != 0;

  CheckTextToInteger(input.Text(24, raw));

  // A small image over few letters, so that the search text occurs in it, overlapping too.
  static constexpr char kImageLetters[] = {
      '1', '-', '\r', '\n', '\0', static_cast<char>(0xA3), static_cast<char>(0xB1)};
  std::string imageText(static_cast<std::size_t>(input.Between(0, 200)), '\0');
  for (char& c : imageText) c = kImageLetters[input.Byte() % sizeof kImageLetters];
  Workspace workspace;
  Model model;
  if ((mode & 0x02) != 0) {  // before any file is loaded the image is empty
    workspace.image.Install(ByteBlock(Bytes(imageText.begin(), imageText.end())));
    model.image.assign(imageText.begin(), imageText.end());
  }
  // Rows and status of an earlier search, which refusals must leave as they are.
  workspace.results.Append({"1", "earlier", "7"});
  model.rows.push_back({"1", "earlier", "7"});
  model.status = kStatusAtStart;

  // Under a memory limit a patch may be refused, but only one whose image would not fit.
  const std::optional<std::size_t> limit =
      (mode & 0x04) != 0 ? std::optional<std::size_t>(static_cast<std::size_t>(input.Between(24, 260))) : std::nullopt;

  const int patches = 1 + mode / 8 % 3;
  for (int i = 0; i < patches; ++i) {
    const bool fromImage = (input.Byte() & 1) != 0 && !model.image.empty();
    std::string searchText = input.Text(12, raw);
    if (fromImage) {  // a piece of the image, so that it is found
      const auto at = static_cast<std::size_t>(input.Between(0, 199)) % model.image.size();
      const auto count = std::min<std::size_t>(1 + input.Byte() % 8, model.image.size() - at);
      searchText.assign(model.image.begin() + static_cast<std::ptrdiff_t>(at),
                        model.image.begin() + static_cast<std::ptrdiff_t>(at + count));
    }
    const std::string positionText = PositionText(input, static_cast<std::int32_t>(model.image.size()));
    const std::string replacementText = input.Text(14, raw);
    CheckTextToInteger(positionText);
    CheckReplacement(searchText, replacementText);

    const Model before = model;
    ReferencePatch(model, searchText, positionText, replacementText);
    if (limit) SetBlockAllocationLimit(std::max(*limit, searchText.size()));
    PatchOccurrence(workspace, searchText, positionText, replacementText);
    SetBlockAllocationLimit(std::numeric_limits<std::size_t>::max());
    if (limit && workspace.status.Text() == kStatusPatchOutOfMemory) {
      Check(model.image.size() > *limit, "refused a patch that fits");
      model = before;
      model.status = kStatusPatchOutOfMemory;
    }
    Check(Matches(workspace, model), "PatchOccurrence");

    if ((input.Byte() & 1) != 0) {  // a search of its own, as after a click on 寻找
      const std::string text = input.Text(6, raw);
      ReferenceSearch(model, text);
      FindOccurrences(workspace, text);
      Check(Matches(workspace, model), "FindOccurrences");
    }
  }
  return 0;
}
