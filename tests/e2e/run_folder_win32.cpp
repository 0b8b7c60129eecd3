#include "tests/e2e/run_folder.h"

#include <atomic>
#include <fstream>
#include <stdexcept>
#include <string>

RunFolder::RunFolder() {
  static std::atomic<int> counter = 0;
  path_ = std::filesystem::temp_directory_path() /
          (L"qv-e2e-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++counter));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

RunFolder::~RunFolder() {
  std::error_code ignored;  // a file still held by a dying process must not turn into a second failure
  std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path RunFolder::Put(std::wstring_view name, std::string_view bytes) const {
  const std::filesystem::path file = path_ / name;
  std::ofstream out(file, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write a fixture file");
  return file;
}

std::filesystem::path RunFolder::CopyIn(const std::filesystem::path& source) const {
  const std::filesystem::path copy = path_ / source.filename();
  std::filesystem::copy_file(source, copy, std::filesystem::copy_options::overwrite_existing);
  return copy;
}
