#pragma once

#include <span>
#include <string>

// The dropped-path text of the paths the shell lists for one drop: one path alone, with no line
// end; several paths each followed by CR LF, in the order given, so the text ends with CR LF.
// No paths give the empty text. Paths are taken as bytes, whatever they hold. O(total length).
[[nodiscard]] std::string JoinDroppedPaths(std::span<const std::string> paths);
