#include <windows.h>

#include <new>
#include <string>
#include <utility>

#include "core/file_io.h"
#include "core/win32/unique_handles.h"

namespace {

constexpr std::int64_t kTooLargeByteCount = std::int64_t{1} << 31;
constexpr DWORD kAttributeMask =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;  // 0x27
constexpr DWORD kRefusedTargetAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;

// The path as the system takes it: NUL-terminated. A path with a NUL inside would name a different,
// shorter path, so it names no file at all.
bool ToSystemPath(std::string_view path, std::string& systemPath) {
  if (path.empty() || path.find('\0') != std::string_view::npos) return false;
  systemPath.assign(path);
  return true;
}

// Reads until `bytes` is full or the file ends; ReadFile may deliver less than asked.
bool ReadAll(HANDLE file, std::span<std::uint8_t> bytes, std::size_t& byteCountRead) {
  byteCountRead = 0;
  while (byteCountRead < bytes.size()) {
    DWORD got = 0;
    const auto want = static_cast<DWORD>(bytes.size() - byteCountRead);
    if (!::ReadFile(file, bytes.data() + byteCountRead, want, &got, nullptr)) return false;
    if (got == 0) break;  // the file ended early: it shrank since its size was taken
    byteCountRead += got;
  }
  return true;
}

bool WriteAll(HANDLE file, std::span<const std::uint8_t> bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    DWORD put = 0;
    const auto want = static_cast<DWORD>(bytes.size() - written);
    if (!::WriteFile(file, bytes.data() + written, want, &put, nullptr) || put == 0) return false;
    written += put;
  }
  return true;
}

// The new content's file until it has taken the target's place; removed if it never does.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (!placed_) ::DeleteFileA(path_.c_str());
  }
  [[nodiscard]] const char* Path() const noexcept { return path_.c_str(); }
  void MarkPlaced() noexcept { placed_ = true; }

 private:
  std::string path_;
  bool placed_ = false;
};

// The folder part of a full path, with its trailing separator. The system splits the path, so a
// double-byte character whose second byte is 0x5C ('\') is not taken for a separator. Empty when
// the path names a folder or cannot be made full.
std::string FolderOf(const std::string& path) {
  char full[MAX_PATH];
  char* namePart = nullptr;
  const DWORD length = ::GetFullPathNameA(path.c_str(), MAX_PATH, full, &namePart);
  if (length == 0 || length >= MAX_PATH || namePart == nullptr) return {};
  return std::string(full, namePart);
}

// An existing target is replaced only where Windows itself would let CREATE_ALWAYS empty it: not
// a folder, not hidden, system or read-only. The attributes are checked here because Wine running
// as root would replace such files. Opening it without sharing then refuses a file that another
// program holds open, and keeps others out until the new content takes its place.
bool OpenReplaceableTarget(const std::string& path, UniqueFile& hold) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return ::GetLastError() == ERROR_FILE_NOT_FOUND;  // a new file; a missing folder or a bad name is refused
  }
  if ((attributes & kRefusedTargetAttributes) != 0) return false;
  hold.reset(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return static_cast<bool>(hold);
}

}  // namespace

ReadResult ReadWholeFile(std::string_view path) {
  std::string systemPath;
  if (!ToSystemPath(path, systemPath)) return {};

  // Others may read it meanwhile, but no one may change it under us.
  const UniqueFile file(::CreateFileA(systemPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {};

  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) return {};
  if (size.QuadPart == 0) return {ByteBlock{}, ReadOutcome::kEmpty};
  if (size.QuadPart >= kTooLargeByteCount) return {ByteBlock{}, ReadOutcome::kTooLarge};

  // Memory that cannot be had is a failed read, not the end of the program.
  try {
    ByteBlock bytes;
    bytes.ResizeForOverwrite(size.QuadPart);
    std::size_t byteCountRead = 0;
    if (!ReadAll(file.get(), bytes.MutableBytes(), byteCountRead)) return {};
    if (byteCountRead == 0) return {ByteBlock{}, ReadOutcome::kEmpty};
    if (byteCountRead < bytes.Bytes().size()) bytes = ByteBlock(bytes.Bytes().first(byteCountRead));
    return {std::move(bytes), ReadOutcome::kRead};
  } catch (const std::bad_alloc&) {
    return {};
  }
}

bool WriteWholeFile(std::string_view path, std::initializer_list<std::span<const std::uint8_t>> blocks) {
  std::string target;
  if (!ToSystemPath(path, target)) return false;

  UniqueFile targetHold;
  if (!OpenReplaceableTarget(target, targetHold)) return false;

  // The new content goes to a file of its own in the target's folder (so the move is a rename on
  // the same volume); the target is touched only once that file is complete on disk.
  const std::string folder = FolderOf(target);
  if (folder.empty()) return false;
  char temporaryPath[MAX_PATH];
  if (::GetTempFileNameA(folder.c_str(), "qv", 0, temporaryPath) == 0) return false;
  TemporaryFile temporary(temporaryPath);

  UniqueFile file(
      ::CreateFileA(temporary.Path(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  for (const std::span<const std::uint8_t> block : blocks) {
    if (!block.empty() && !WriteAll(file.get(), block)) return false;
  }
  if (!::FlushFileBuffers(file.get())) return false;
  if (!::CloseHandle(file.release())) return false;

  targetHold.reset();
  if (!::MoveFileExA(temporary.Path(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return false;
  }
  temporary.MarkPlaced();
  return true;
}

bool FileExists(std::string_view path) {
  std::string systemPath;
  if (!ToSystemPath(path, systemPath)) return false;
  WIN32_FIND_DATAA found;
  const UniqueFind search(::FindFirstFileA(systemPath.c_str(), &found));
  return static_cast<bool>(search);
}

bool SetAttributes(std::string_view path, std::int32_t value) {
  std::string systemPath;
  if (!ToSystemPath(path, systemPath)) return false;
  DWORD attributes = static_cast<DWORD>(value) & kAttributeMask;
  if (attributes == 0) attributes = FILE_ATTRIBUTE_NORMAL;  // 0 would mean "leave as they are" to the system
  return ::SetFileAttributesA(systemPath.c_str(), attributes) != FALSE;
}
