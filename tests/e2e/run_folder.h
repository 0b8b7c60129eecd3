#pragma once

// A fresh folder under the system's temporary folder for one case, removed with everything in it
// when the case ends, so each run of the program starts clean.

#include <windows.h>

#include <filesystem>
#include <string_view>

class RunFolder {
 public:
  RunFolder();
  ~RunFolder();
  RunFolder(const RunFolder&) = delete;
  RunFolder& operator=(const RunFolder&) = delete;

  [[nodiscard]] const std::filesystem::path& Path() const noexcept { return path_; }
  // Writes `bytes` as the file `name` in the folder and returns its full path.
  std::filesystem::path Put(std::wstring_view name, std::string_view bytes) const;
  // Copies `source` into the folder under its own name and returns the copy's full path.
  std::filesystem::path CopyIn(const std::filesystem::path& source) const;

 private:
  std::filesystem::path path_;
};
