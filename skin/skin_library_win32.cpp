#include <windows.h>

#include "skin/skin_library.h"

#include <utility>

#include "core/byte_ops.h"
#include "core/file_io.h"

namespace {

constexpr std::int32_t kHiddenOnly = FILE_ATTRIBUTE_HIDDEN;

}  // namespace

std::string SkinLibraryPath(std::string_view runDirectory) {
  std::string path(runDirectory);
  path += "\\QvSkin.dll";
  return path;
}

void EnsureSkinLibrary(std::string_view runDirectory) {
  if (FileExists(SkinLibraryPath(runDirectory))) return;  // whatever is there stays as it is
  // Failures are silent: the binding then looks elsewhere and reports if nothing loads.
  static_cast<void>(WriteWholeFile(SkinLibraryPath(runDirectory), {SkinLibraryImage()}));
  static_cast<void>(SetAttributes(SkinLibraryPath(runDirectory), kHiddenOnly));
}

void FatalError() {
  ::MessageBoxW(nullptr, L"无法从动态链接库 QvSkin.dll 中取得函数 QvSkinAttach，程序无法运行。", L"Quelvane",
                MB_OK | MB_ICONSTOP);
  // ExitProcess, not exit(): the program's exit step must not run after this report.
  ::ExitProcess(static_cast<UINT>(-1));
}

void SkinLibrary::ModuleRelease::operator()(void* module) const { ::FreeLibrary(static_cast<HMODULE>(module)); }

SkinLibrary::SkinLibrary(std::string runDirectory) : runDirectory_(std::move(runDirectory)) {}

void SkinLibrary::Bind() {
  HMODULE module = ::LoadLibraryA(SkinLibraryPath(runDirectory_).c_str());
  if (module == nullptr) module = ::LoadLibraryA("QvSkin.dll");  // the system's search order
  if (module == nullptr) FatalError();
  module_.reset(module);
  // Only this first module is asked; one without the function is not replaced by another.
  // Through void(*)(): the one function pointer type GCC lets any other be cast to silently.
  const auto found = reinterpret_cast<void (*)()>(::GetProcAddress(module, "QvSkinAttach"));
  attach_ = reinterpret_cast<decltype(&QvSkinAttach)>(found);
  if (attach_ == nullptr) {
    module_.reset();
    FatalError();
  }
}

void SkinLibrary::ApplySkin(std::int32_t skinNumber) {
  EnsureSkinLibrary(runDirectory_);
  ByteBlock copy = SkinCatalogueEntry(skinNumber);
  const std::int32_t length = ByteLength(copy);
  if (attach_ == nullptr) Bind();
  static_cast<void>(attach_(copy.IsEmpty() ? nullptr : copy.Data(), length, "", 0, 0, 0));
  copy.Release();  // the library has taken what it keeps
}
