#pragma once

#include <string_view>

#include "core/byte_block.h"
#include "core/workspace.h"

// Writes the replacement text over the image at the position the position text names, followed
// by zero bytes up to the search text's byte length, so a text stored in the image gives way to
// one that is not longer and the image keeps its size. Refuses a replacement longer in bytes than
// the search text and an empty position text, each with its status text; otherwise installs the
// new image, searches again and ends with "修改完成". Out-of-range positions are clamped, as
// ReplaceRange does. When the memory for the new image cannot be had, the patch is refused and
// the image, the rows and the user's earlier patches stay as they were.
void PatchOccurrence(Workspace& workspace, std::string_view searchText, std::string_view positionText,
                     std::string_view replacementText);

// The image with the replacement written at the position: builds in `storage`'s memory when it is
// large enough. Throws BlockAllocationError when the memory cannot be had.
[[nodiscard]] ByteBlock BuildPatchedImage(const ByteBlock& image, std::string_view searchText,
                                          std::string_view positionText, std::string_view replacementText,
                                          ByteBlock storage = {});

// The replacement text's bytes, zero-padded to the search text's byte length.
[[nodiscard]] ByteBlock BuildReplacement(std::string_view searchText, std::string_view replacementText);
