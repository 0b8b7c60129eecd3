#include <windows.h>

#include "skin/skin_library.h"
#include "skin/skin_resource_ids.h"

namespace {

// Resource data of the program itself; it stays mapped for the life of the process.
std::span<const std::uint8_t> ResourceBytes(int id) {
  const HRSRC found = ::FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));  // RT_RCDATA
  if (found == nullptr) return {};
  const HGLOBAL loaded = ::LoadResource(nullptr, found);
  const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
  if (data == nullptr) return {};
  return {static_cast<const std::uint8_t*>(data), ::SizeofResource(nullptr, found)};
}

}  // namespace

std::span<const std::uint8_t> SkinLibraryImage() { return ResourceBytes(QV_SKIN_LIBRARY_ID); }

ByteBlock SkinCatalogueEntry(std::int32_t skinNumber) {
  if (skinNumber < 1 || skinNumber > kSkinCount) return {};
  return ByteBlock(ResourceBytes(QV_SKIN_LIBRARY_ID + skinNumber));
}
