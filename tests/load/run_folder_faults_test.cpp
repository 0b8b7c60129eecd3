// Run folders out of the ordinary: one the program cannot write its skin library into, one on a
// path with Chinese characters, and a drive's root.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "core/status_texts.h"
#include "tests/e2e/quelvane_run.h"
#include "tests/e2e/save_dialog.h"
#include "tests/e2e/win32_basics.h"
#include "tests/e2e/windows_of.h"

namespace {

std::string Contents(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The attributes that matter here; Wine reports the archive bit on every file whatever was set.
DWORD AttributesOf(const std::filesystem::path& file) {
  return ::GetFileAttributesW(file.c_str()) & ~static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE);
}

std::wstring TextsOf(HWND window) {
  std::wstring texts;
  for (HWND part : DescendantsOf(window)) {
    wchar_t text[512] = {};
    ::GetWindowTextW(part, text, 512);
    texts += text;
    texts += L'\n';
  }
  return texts;
}

// The program's main window: the top-level window that holds a status bar.
HWND MainWindowOf(DWORD processId) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (HWND window : TopWindowsOf(processId)) {
      if (!::GetWindow(window, GW_OWNER) && ChildOfClass(window, L"msctls_statusbar32")) found = window;
    }
    return found != nullptr;
  });
  return found;
}

// No library can be written and none is found elsewhere: the report, then the end with -1.
TEST(RunFolder, UnwritableTheProgramReportsTheMissingLibraryAndEnds) {
  const char* folderText = std::getenv("QV_READ_ONLY_RUN_FOLDER");
  if (!folderText) GTEST_SKIP() << "no read-only run folder made (QV_READ_ONLY_RUN_FOLDER)";
  const std::filesystem::path folder = WindowsPath(folderText);
  const std::filesystem::path library = folder / L"QvSkin.dll";
  ASSERT_FALSE(std::filesystem::exists(library));
  const RunningProgram program = StartProgram(folder / L"quelvane.exe");

  std::wstring texts;
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] {
        for (HWND window : TopWindowsOf(program.processId, L"#32770")) {
          texts = TextsOf(window);
          if (texts.find(L"Qv") != std::wstring::npos) box = window;  // found once it has its text
        }
        return box != nullptr;
      },
      std::chrono::seconds(30)))
      << "no report; the program's windows: " << TopWindowsOf(program.processId).size();
  EXPECT_NE(texts.find(L"QvSkinAttach"), std::wstring::npos) << WideToUtf8(texts);
  EXPECT_NE(texts.find(L"QvSkin.dll"), std::wstring::npos) << WideToUtf8(texts);
  for (HWND window : TopWindowsOf(program.processId)) {
    EXPECT_EQ(ChildOfClass(window, L"msctls_statusbar32"), nullptr) << "the window came up without its library";
  }
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(WaitForExit(program.process.get()), static_cast<DWORD>(-1));
  EXPECT_FALSE(std::filesystem::exists(library));
}

// The whole road from a folder whose name the program sees as GBK bytes.
TEST(RunFolder, ChinesePathWorksThroughDropAndSave) {
  const RunFolder outer;
  const std::filesystem::path chinese = outer.Path() / L"软件修改测试";
  std::filesystem::create_directory(chinese);
  // The run's own folder is made under the temporary folder: point that into the Chinese one.
  wchar_t temp[MAX_PATH] = {};
  ::GetEnvironmentVariableW(L"TMP", temp, MAX_PATH);
  ::SetEnvironmentVariableW(L"TMP", chinese.c_str());
  ::SetEnvironmentVariableW(L"TEMP", chinese.c_str());
  {
    QuelvaneRun run(ProgramsUnderTest::quelvane);
    ::SetEnvironmentVariableW(L"TMP", temp);
    ::SetEnvironmentVariableW(L"TEMP", temp);
    ASSERT_EQ(run.Folder().Path().parent_path(), chinese);
    EXPECT_EQ(AttributesOf(run.Folder().Path() / L"QvSkin.dll"), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));

    run.DropFiles({run.Folder().Put(L"原程序.exe", "--hello--")}, PathCharacters::Ansi);
    ASSERT_EQ(run.Status(), Utf8(kStatusReadDone));
    ::SendMessageW(run.Controls().编辑框1, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"hello"));
    ::SendMessageW(run.Controls().按钮1, BM_CLICK, 0, 0);
    ASSERT_EQ(run.Rows().size(), 1u);
    ::PostMessageW(run.Controls().按钮3, BM_CLICK, 0, 0);
    HWND dialog = WaitForDialog(run.ProcessId());
    ASSERT_NE(dialog, nullptr) << "no save dialog";
    const std::filesystem::path saved = run.Folder().Path() / L"改好的.exe";
    ChooseFile(dialog, saved);
    ASSERT_TRUE(run.WaitForStatus(Utf8(kStatusSaved))) << run.Status();
    EXPECT_EQ(Contents(saved), "--hello--");
    EXPECT_EQ(run.CloseWithEsc(), 0u);
  }
}

// A drive mapped to a fresh folder: the run folder is "X:" and the library lands at X:\QvSkin.dll.
TEST(RunFolder, DriveRootGetsTheLibraryInItsRoot) {
  const char* letter = std::getenv("QV_ROOT_DRIVE");
  if (!letter) GTEST_SKIP() << "no drive mapped for a root (QV_ROOT_DRIVE)";
  const std::filesystem::path root = Utf8ToWide(std::string(letter) + ":\\");
  const std::filesystem::path program = root / L"quelvane.exe";
  const std::filesystem::path library = root / L"QvSkin.dll";
  std::filesystem::copy_file(ProgramsUnderTest::quelvane, program, std::filesystem::copy_options::overwrite_existing);
  {
    const RunningProgram run = StartProgram(program);
    HWND window = MainWindowOf(run.processId);
    ASSERT_NE(window, nullptr) << "the window did not come up";
    EXPECT_EQ(AttributesOf(library), static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExit(run.process.get()), 0u);
  }
  ::SetFileAttributesW(library.c_str(), FILE_ATTRIBUTE_NORMAL);
  std::filesystem::remove(library);
  std::filesystem::remove(program);
}

}  // namespace
