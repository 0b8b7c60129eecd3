#pragma once

// Real files for the file tests: a folder of their own that deletes itself, and small helpers
// that create and inspect files through the Win32 API directly, not through the code under test.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/win32/unique_handles.h"

// A new empty folder in the system's temporary folder; it and all it holds go with the object.
class ScratchFolder {
 public:
  ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder();

  // The full path of `name` inside the folder.
  [[nodiscard]] std::string Path(std::string_view name) const { return path_ + std::string(name); }
  [[nodiscard]] const std::string& Folder() const noexcept { return path_; }  // ends with '\'

 private:
  std::string path_;
};

// Creates or replaces a file with exactly these bytes.
void PutFile(const std::string& path, std::string_view bytes);
// The file's bytes, or nothing when it cannot be read.
[[nodiscard]] std::optional<std::string> FileBytes(const std::string& path);
// A file of `byteCount` bytes that holds no data: its end is set, nothing is written.
void PutSparseFile(const std::string& path, std::int64_t byteCount);
// Opens the file the way another program would, and keeps it open while the handle lives.
[[nodiscard]] UniqueFile HoldOpen(const std::string& path, DWORD access, DWORD share);
// The attribute bits that the file primitives deal in (read-only, hidden, system, archive).
[[nodiscard]] DWORD Attributes(const std::string& path);
// The names of everything in `folder` (which ends with '\'), "." and ".." left out.
[[nodiscard]] std::vector<std::string> FolderNames(const std::string& folder);
// Removes a folder and everything in it, whatever the attributes.
void RemoveTree(const std::string& folder);
