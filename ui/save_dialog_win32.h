#pragma once

// 通用对话框1: the save-file dialog with its filter and the file name it keeps between showings.

#include <windows.h>

#include <string>
#include <string_view>

// The filter text as the dialog takes it: "||" appended unless the text is empty or ends with it,
// then every '|' becomes a NUL, so the list ends with two NULs.
[[nodiscard]] std::wstring BuildFilterList(std::wstring_view filter);

class SaveFileDialog {
 public:
  // DialogFilter: description and pattern entries separated by '|', e.g. "exe文件|*.exe".
  void SetFilter(std::u8string_view filter);
  // ShowFileDialog: modal over `owner`. True when the user confirmed a file; FileName() is then
  // its full path. A cancel or close keeps FileName() as it was.
  bool Show(HWND owner);
  // DialogFileName, an ANSI path: empty until the first confirmed showing.
  [[nodiscard]] const std::string& FileName() const noexcept { return fileName_; }

 private:
  std::wstring filterList_ = BuildFilterList(L"*.exe");
  std::string fileName_;
};
