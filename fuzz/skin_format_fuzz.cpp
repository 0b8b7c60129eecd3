// Feeds arbitrary bytes to the skin reader: it must refuse or accept without reading out of
// bounds, and what it accepts must be self-consistent.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "skinlib/skin_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ParsedSkin parsed = ParseSkin(std::span<const std::uint8_t>(data, size));
  if (parsed.error == SkinError::kNone) {
    for (const SkinImage* image : {&parsed.skin.activeCaption, &parsed.skin.inactiveCaption}) {
      if (image->bgrx.size() != static_cast<std::size_t>(image->width) * image->height * 4) std::abort();
    }
    if (parsed.skin.name.empty() || parsed.skin.name.size() > 63) std::abort();
  }
  return 0;
}
