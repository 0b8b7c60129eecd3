#include "tests/e2e/save_dialog.h"

#include <stdexcept>
#include <vector>

#include "tests/e2e/remote_controls.h"
#include "tests/e2e/win32_basics.h"
#include "tests/e2e/windows_of.h"

namespace {

HWND ButtonWithId(HWND dialog, int id) {
  for (HWND child : DescendantsOf(dialog)) {
    if (ClassOf(child) == L"Button" && ::GetDlgCtrlID(child) == id) return child;
  }
  throw std::runtime_error("the dialog has no button " + std::to_string(id));
}

// The file name is the dialog's only visible box that takes typed text.
HWND FileNameBox(HWND dialog) {
  for (HWND child : DescendantsOf(dialog)) {
    if (ClassOf(child) == L"Edit" && ::IsWindowVisible(child)) return child;
  }
  throw std::runtime_error("the dialog has no file name box");
}

}  // namespace

HWND WaitForDialog(DWORD processId) {
  HWND dialog = nullptr;
  WaitUntil(
      [&] {
        const std::vector<HWND> dialogs = TopWindowsOf(processId, L"#32770");
        dialog = dialogs.empty() ? nullptr : dialogs.front();
        return dialog != nullptr;
      },
      std::chrono::seconds(60));  // the first showing in a fresh prefix builds the shell's folder view
  return dialog;
}

std::vector<std::string> ComboTexts(HWND dialog) {
  std::vector<std::string> texts;
  for (HWND child : DescendantsOf(dialog)) {
    if (ClassOf(child) == L"ComboBox" && ::IsWindowVisible(child)) texts.push_back(EditText(child));
  }
  return texts;
}

void ChooseFile(HWND dialog, const std::filesystem::path& file) {
  HWND box = FileNameBox(dialog);
  ::SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
  // Posted: the dialog ends its modal loop on this click, and the program goes on to save.
  ::PostMessageW(ButtonWithId(dialog, IDOK), BM_CLICK, 0, 0);
}

void CancelDialog(HWND dialog) { ::PostMessageW(ButtonWithId(dialog, IDCANCEL), BM_CLICK, 0, 0); }

HWND WaitForQuestion(HWND dialog) {
  DWORD processId = 0;
  ::GetWindowThreadProcessId(dialog, &processId);
  HWND question = nullptr;
  WaitUntil([&] {
    for (HWND window : TopWindowsOf(processId, L"#32770")) {
      if (::GetWindow(window, GW_OWNER) == dialog) question = window;
    }
    return question != nullptr;
  });
  return question;
}

void AnswerQuestion(HWND question, int buttonId) { ::PostMessageW(ButtonWithId(question, buttonId), BM_CLICK, 0, 0); }
