#include "ui/save_dialog_win32.h"

#include <commdlg.h>

#include <algorithm>
#include <cwchar>

#include "ui/text_win32.h"

namespace {

constexpr DWORD kFileNameCapacity = 32768;  // the longest path the system takes, in characters

}  // namespace

std::wstring BuildFilterList(std::wstring_view filter) {
  std::wstring list(filter);
  if (!list.empty() && !list.ends_with(L"||")) list += L"||";
  std::replace(list.begin(), list.end(), L'|', L'\0');
  return list;
}

void SaveFileDialog::SetFilter(std::u8string_view filter) { filterList_ = BuildFilterList(WideFromUtf8(filter)); }

bool SaveFileDialog::Show(HWND owner) {
  std::wstring file = WideFromAnsi(fileName_);
  file.resize(kFileNameCapacity, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filterList_.empty() ? nullptr : filterList_.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = kFileNameCapacity;
  dialog.lpstrDefExt = L"exe";
  // Not "file must exist": saving under a new name has to be possible. The current directory
  // stays the run directory.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
  if (!::GetSaveFileNameW(&dialog)) return false;
  file.resize(std::wcslen(file.c_str()));
  fileName_ = AnsiFromWide(file);
  return true;
}
