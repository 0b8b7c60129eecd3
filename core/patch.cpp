#include "core/patch.h"

#include <optional>

#include "core/byte_ops.h"
#include "core/integer_text.h"
#include "core/search.h"

ByteBlock BuildReplacement(std::string_view searchText, std::string_view replacementText) {
  const std::int32_t padding = TextLength(searchText) - TextLength(replacementText);
  if (padding == 0) return TextBytes(replacementText);
  return JoinBytes(TextBytes(replacementText), ZeroBytes(padding));
}

ByteBlock BuildPatchedImage(const ByteBlock& image, std::string_view searchText, std::string_view positionText,
                            std::string_view replacementText, ByteBlock storage) {
  const std::int32_t position = TextToInteger(positionText);
  const std::int32_t count = TextLength(searchText);
  ReplaceRangeInto(storage, image, position, count, BuildReplacement(searchText, replacementText));
  return storage;
}

namespace {

// The patched image, built first in the spare the last patch left behind and, when that fails,
// once more in fresh memory with the spare given back; nothing when memory is short either way.
std::optional<ByteBlock> TryBuildPatchedImage(WorkingImage& image, std::string_view searchText,
                                              std::string_view positionText, std::string_view replacementText) {
  try {
    return BuildPatchedImage(image.Bytes(), searchText, positionText, replacementText, image.TakeSpare());
  } catch (const BlockAllocationError&) {
  }
  try {
    return BuildPatchedImage(image.Bytes(), searchText, positionText, replacementText);
  } catch (const BlockAllocationError&) {
    return std::nullopt;
  }
}

}  // namespace

void PatchOccurrence(Workspace& workspace, std::string_view searchText, std::string_view positionText,
                     std::string_view replacementText) {
  if (TextLength(replacementText) > TextLength(searchText)) {
    workspace.status.Set(kStatusReplacementTooLong);
    return;
  }
  if (positionText.empty()) {
    workspace.status.Set(kStatusEnterPosition);
    return;
  }
  std::optional<ByteBlock> patched = TryBuildPatchedImage(workspace.image, searchText, positionText, replacementText);
  if (!patched) {
    workspace.status.Set(kStatusPatchOutOfMemory);
    return;
  }
  workspace.image.Install(std::move(*patched));
  FindOccurrences(workspace, searchText);
  workspace.status.Set(kStatusPatched);
}
