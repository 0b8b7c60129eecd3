#include "core/search.h"

#include "core/byte_ops.h"
#include "core/integer_text.h"

void FindOccurrences(Workspace& workspace, std::string_view searchText) {
  if (searchText.empty()) {
    workspace.status.Set(kStatusEnterSearchText);
    return;
  }
  workspace.results.Clear();
  const ByteBlock pattern = TextBytes(searchText);
  const ByteBlock& image = workspace.image.Bytes();
  const SharedText searchName(std::string{searchText});
  std::int32_t last = 0;
  for (std::int32_t number = 1; number <= kMaxResultRows; ++number) {
    // From one byte past the previous occurrence's first byte, so overlaps are listed too.
    last = FindBytes(image, pattern, last + 1);
    if (last == -1) break;
    workspace.results.Append({IntegerToText(number), searchName, IntegerToText(last)});
    if (last == ByteBlock::kMaxLength) break;  // the last byte a block can hold: nothing lies past it
  }
  if (workspace.results.Count() == 0) workspace.status.Set(kStatusNotFound);
}
