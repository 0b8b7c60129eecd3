#include <gtest/gtest.h>

#include <windows.h>

#include <dlgs.h>

#include <filesystem>
#include <optional>
#include <string>

#include "core/status_texts.h"
#include "ui/bindings_win32.h"
#include "ui/main_window_win32.h"
#include "ui/text_win32.h"

namespace {

// What the user does in the open dialog; run from a timer inside the dialog's own message loop.
std::wstring gTypedName;  // empty: cancel
bool gDialogSeen = false;

void CALLBACK AnswerDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND dialog = ::FindWindowW(L"#32770", nullptr);
  if (dialog == nullptr) return;
  ::KillTimer(nullptr, timer);
  gDialogSeen = true;
  if (gTypedName.empty()) {
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  ::SetDlgItemTextW(dialog, cmb13, gTypedName.c_str());
  ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

class SaveDialogTest : public testing::Test {
 public:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    window_.emplace(workspace_);
    ASSERT_TRUE(window_->Create({}));
    const auto* bytes = reinterpret_cast<const std::uint8_t*>("MZ\x90");
    workspace_.image.Install(ByteBlock({bytes, 3}));
    folder_ = std::filesystem::temp_directory_path() / "quelvane-save-dialog";
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    window_.reset();
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    ::OleUninitialize();
    std::filesystem::remove_all(folder_);
  }

  // Clicks 保存文件 and answers the dialog: cancels it, or confirms `name`.
  void SaveThroughDialog(const std::wstring& name) {
    gTypedName = name;
    gDialogSeen = false;
    ::SetTimer(nullptr, 0, 50, AnswerDialog);
    ::SendMessageW(window_->Control(Ctl::按钮3), BM_CLICK, 0, 0);
    ASSERT_TRUE(gDialogSeen);
  }
  std::wstring Status() {
    wchar_t text[128] = {};
    ::SendMessageW(window_->Control(Ctl::状态条1), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    return text;
  }

  Workspace workspace_;
  std::optional<MainWindow> window_;
  std::filesystem::path folder_;
};

TEST_F(SaveDialogTest, CancelKeepsTheNameAndStatusAndAConfirmedNewFileIsSaved) {
  SaveThroughDialog(L"");
  EXPECT_EQ(window_->SaveDialog().FileName(), "");
  EXPECT_EQ(Status(), WideFromUtf8(kStatusAtStart));

  // A file that does not exist yet, without its extension: the default one is added.
  const std::filesystem::path target = folder_ / "patched";
  SaveThroughDialog(target.wstring());
  const std::filesystem::path saved = folder_ / "patched.exe";
  EXPECT_EQ(WideFromAnsi(window_->SaveDialog().FileName()), saved.wstring());
  EXPECT_EQ(Status(), WideFromUtf8(kStatusSaved));
  ASSERT_TRUE(std::filesystem::exists(saved));
  EXPECT_EQ(std::filesystem::file_size(saved), 3u);

  workspace_.status.Set(kStatusAtStart);
  SaveThroughDialog(L"");
  EXPECT_EQ(WideFromAnsi(window_->SaveDialog().FileName()), saved.wstring()) << "the path confirmed last";
  EXPECT_EQ(Status(), WideFromUtf8(kStatusAtStart));
}

}  // namespace
