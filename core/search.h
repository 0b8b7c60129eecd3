#pragma once

#include <cstdint>
#include <string_view>

#include "core/workspace.h"

inline constexpr std::int32_t kMaxResultRows = 1000;

// Lists where the search text's bytes occur in the image: rebuilds the result rows in ascending
// position, overlapping occurrences included, up to kMaxResultRows. An empty search text only
// asks for one ("请输入文本后搜索") and keeps the rows; finding nothing says so; finding
// something leaves the status as it was. About one pass over the image.
void FindOccurrences(Workspace& workspace, std::string_view searchText);
