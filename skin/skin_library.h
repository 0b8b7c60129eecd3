#pragma once

// Deploys the embedded skin library next to the program and hands it one of the stored skins.
// Windows only.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "core/byte_block.h"
#include "skinlib/skin_api.h"

inline constexpr std::int32_t kStartupSkinNumber = 26;
inline constexpr std::int32_t kSkinCount = 58;

// The bytes of QvSkin.dll as the program holds them (read-only resource data).
[[nodiscard]] std::span<const std::uint8_t> SkinLibraryImage();

// A private copy of catalogue entry `skinNumber` (1..58); the empty block for any other number.
[[nodiscard]] ByteBlock SkinCatalogueEntry(std::int32_t skinNumber);

// `runDirectory` + "\QvSkin.dll".
[[nodiscard]] std::string SkinLibraryPath(std::string_view runDirectory);

// Writes the library image there as a hidden file when nothing of that name is there (a folder
// counts as present). An existing file is never touched; a failed write is silent.
void EnsureSkinLibrary(std::string_view runDirectory);

// Reports that QvSkinAttach cannot be had from QvSkin.dll (a message box with no owner) and ends
// the process with exit code -1, without the program's exit step.
[[noreturn]] void FatalError();

class SkinLibrary {
 public:
  explicit SkinLibrary(std::string runDirectory);
  SkinLibrary(const SkinLibrary&) = delete;
  SkinLibrary& operator=(const SkinLibrary&) = delete;
  ~SkinLibrary() = default;  // frees the module once bound

  // Deploys the library if missing, binds QvSkinAttach on the first call (the library beside the
  // program first, then QvSkin.dll through the system's search order; only the first module that
  // loads is asked; failure ends the process through FatalError) and passes it a private copy of
  // entry `skinNumber` (null and 0 for numbers outside 1..58), an empty text and three zeros.
  void ApplySkin(std::int32_t skinNumber);

 private:
  struct ModuleRelease {
    void operator()(void* module) const;  // FreeLibrary
  };

  void Bind();

  std::string runDirectory_;
  std::unique_ptr<void, ModuleRelease> module_;  // the loaded HMODULE
  decltype(&QvSkinAttach) attach_ = nullptr;
};
