#include "tests/files/scratch_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

namespace {
std::atomic<int> folderCount{0};
}  // namespace

ScratchFolder::ScratchFolder() {
  char temp[MAX_PATH];
  const DWORD length = ::GetTempPathA(MAX_PATH, temp);
  EXPECT_TRUE(length > 0 && length < MAX_PATH);
  path_ = std::string(temp, length) + "qv-files-" + std::to_string(::GetCurrentProcessId()) + "-" +
          std::to_string(folderCount++) + "\\";
  RemoveTree(path_);
  EXPECT_TRUE(::CreateDirectoryA(path_.c_str(), nullptr)) << path_;
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

void PutFile(const std::string& path, std::string_view bytes) {
  ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  const UniqueFile file(
      ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file) << path;
  DWORD written = 0;
  ASSERT_TRUE(::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
  ASSERT_EQ(written, bytes.size());
}

std::optional<std::string> FileBytes(const std::string& path) {
  const UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD got = 0;
  if (!bytes.empty() &&
      (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) || got != bytes.size())) {
    return std::nullopt;
  }
  return bytes;
}

void PutSparseFile(const std::string& path, std::int64_t byteCount) {
  const UniqueFile file(
      ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file) << path;
  LARGE_INTEGER end{};
  end.QuadPart = byteCount;
  ASSERT_TRUE(::SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN));
  ASSERT_TRUE(::SetEndOfFile(file.get()));
}

UniqueFile HoldOpen(const std::string& path, DWORD access, DWORD share) {
  UniqueFile file(::CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  EXPECT_TRUE(file) << path;
  return file;
}

DWORD Attributes(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES) << path;
  return attributes &
         (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
}

std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  const UniqueFind search(::FindFirstFileA((folder + "*").c_str(), &found));
  if (!search) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (::FindNextFileA(search.get(), &found));
  std::sort(names.begin(), names.end());
  return names;
}

void RemoveTree(const std::string& folder) {
  for (const std::string& name : FolderNames(folder)) {
    const std::string path = folder + name;
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!::DeleteFileA(path.c_str())) RemoveTree(path + "\\");
  }
  ::RemoveDirectoryA(folder.c_str());
}
