#pragma once

// One run of the real program, started from a copy in a fresh folder, and its controls as found
// on screen by class and place.

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/e2e/ole_drag.h"
#include "tests/e2e/process.h"
#include "tests/e2e/remote_controls.h"
#include "tests/e2e/run_folder.h"

struct MainControls {
  HWND window = nullptr;
  HWND 标签1 = nullptr;
  HWND 编辑框1 = nullptr;
  HWND 按钮1 = nullptr;
  HWND 超级列表框1 = nullptr;
  HWND 分组框1 = nullptr;
  HWND 标签2 = nullptr;
  HWND 编辑框2 = nullptr;
  HWND 标签3 = nullptr;
  HWND 编辑框3 = nullptr;
  HWND 按钮3 = nullptr;
  HWND 按钮2 = nullptr;
  HWND 标签5 = nullptr;
  HWND 状态条1 = nullptr;
};

class QuelvaneRun {
 public:
  // Copies `program` into a fresh folder, starts it there and waits for its window.
  explicit QuelvaneRun(const std::filesystem::path& program);
  ~QuelvaneRun();
  QuelvaneRun(const QuelvaneRun&) = delete;
  QuelvaneRun& operator=(const QuelvaneRun&) = delete;

  [[nodiscard]] const RunFolder& Folder() const noexcept { return folder_; }
  [[nodiscard]] const MainControls& Controls() const noexcept { return controls_; }
  [[nodiscard]] HANDLE Process() const noexcept { return program_.process.get(); }
  [[nodiscard]] DWORD ProcessId() const noexcept { return program_.processId; }

  [[nodiscard]] std::string Status() const;
  [[nodiscard]] std::vector<ListRow> Rows() const;
  [[nodiscard]] HWND Focus() const;

  DWORD DropFiles(const std::vector<std::filesystem::path>& paths,
                  PathCharacters characters = PathCharacters::Wide) const;
  DWORD DropData(std::wstring_view formatName, std::string_view bytes) const;

  void Type(HWND control, std::wstring_view text) const;
  void Click(HWND control) const;
  void ClickRow(int row) const;
  void Key(WORD virtualKey, bool withShift = false) const;
  // Waits until the window has handled everything sent to it so far.
  void Settle() const;

  // Clicks 寻找 after typing `text` into the empty search box.
  void Search(std::wstring_view text) const;
  // Waits until `control` has the keyboard focus; false when it did not get it in time.
  bool WaitForFocus(HWND control) const;
  // Waits until the status bar shows `text`; false when it did not in time.
  bool WaitForStatus(std::string_view text) const;
  // Presses Esc and returns the exit code, or nothing when the program did not end in time.
  std::optional<DWORD> CloseWithEsc() const;

 private:
  void FindControls();

  RunFolder folder_;
  RunningProgram program_;
  MainControls controls_;
};

// The program under test and the small console program that one case patches; set by main.
struct ProgramsUnderTest {
  static inline std::filesystem::path quelvane;
  static inline std::filesystem::path greeting;
};
