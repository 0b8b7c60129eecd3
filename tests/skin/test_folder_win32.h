#pragma once

// Fixtures of the skin tests: a fresh folder that deletes itself, whole-file reads, and a child
// process run to its end. Include after <windows.h>.

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

class TestFolder {
 public:
  TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;
  ~TestFolder();  // removes everything in it, hidden and read-only files too

  [[nodiscard]] std::wstring Path(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

// The folder of the running test program, where the helper programs are built.
[[nodiscard]] std::wstring BuildFolder();

[[nodiscard]] Bytes ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, const Bytes& bytes);

struct ChildRun {
  DWORD exitCode = 0;
  std::wstring boxText;  // the texts of a message box the child showed, which was answered OK
  bool finished = false;
};

// Runs `program` with `arguments` and waits for it to end. A message box it shows is read and
// dismissed with OK.
[[nodiscard]] ChildRun RunChild(const std::wstring& program, const std::wstring& arguments = L"");
