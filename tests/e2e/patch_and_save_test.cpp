// The whole road on a real program: drop it, find its text, pick the row, patch, save under a new
// name through the save dialog, and run what was saved.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "core/status_texts.h"
#include "tests/e2e/quelvane_run.h"
#include "tests/e2e/save_dialog.h"
#include "tests/e2e/windows_of.h"

namespace {

std::string FirstLine(const std::string& output) { return output.substr(0, output.find_first_of("\r\n")); }

std::string Contents(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

TEST(PatchAndSave, APatchedProgramPrintsTheShorterText) {
  QuelvaneRun run(ProgramsUnderTest::quelvane);
  const MainControls& c = run.Controls();
  const std::filesystem::path original = run.Folder().CopyIn(ProgramsUnderTest::greeting);
  const std::string originalBytes = Contents(original);
  ASSERT_EQ(FirstLine(RunToEnd(original).standardOutput), "Greetings from the unpatched build");

  run.DropFiles({original});
  ASSERT_TRUE(run.WaitForStatus(Utf8(kStatusReadDone))) << run.Status();
  run.Search(L"Greetings from the unpatched build");
  const std::vector<ListRow> rows = run.Rows();
  ASSERT_FALSE(rows.empty()) << run.Status();
  run.ClickRow(0);
  ASSERT_EQ(EditAnsiText(c.编辑框2), rows[0][2]);
  run.Type(c.编辑框3, L"Patched!");
  run.Click(c.按钮2);
  ASSERT_TRUE(run.WaitForStatus(Utf8(kStatusPatched))) << run.Status();

  run.Click(c.按钮3);
  HWND dialog = WaitForDialog(run.ProcessId());
  ASSERT_NE(dialog, nullptr) << "no save dialog";
  const std::vector<std::string> combos = ComboTexts(dialog);
  EXPECT_NE(std::find(combos.begin(), combos.end(), Utf8(u8"exe文件")), combos.end()) << "the file type is not shown";
  ChooseFile(dialog, run.Folder().Path() / L"patched");  // the default extension completes the name
  const std::filesystem::path saved = run.Folder().Path() / L"patched.exe";
  ASSERT_TRUE(run.WaitForStatus(Utf8(kStatusSaved))) << run.Status();

  EXPECT_EQ(std::filesystem::file_size(saved), originalBytes.size());
  EXPECT_EQ(Contents(original), originalBytes);  // the dropped file itself is untouched
  const ProgramOutput output = RunToEnd(saved);
  EXPECT_EQ(FirstLine(output.standardOutput), "Patched!");
  EXPECT_EQ(output.exitCode, 0u);
  EXPECT_EQ(run.CloseWithEsc(), 0u);
}

TEST(PatchAndSave, ACancelledDialogSavesNothing) {
  QuelvaneRun run(ProgramsUnderTest::quelvane);
  run.DropFiles({run.Folder().Put(L"image.bin", "xxABCxx")});
  ASSERT_TRUE(run.WaitForStatus(Utf8(kStatusReadDone)));
  const auto countFiles = [&] { return std::distance(std::filesystem::directory_iterator(run.Folder().Path()), {}); };
  const auto showDialog = [&] {
    run.Click(run.Controls().按钮3);
    return WaitForDialog(run.ProcessId());
  };
  const auto cancel = [&](HWND dialog) {
    CancelDialog(dialog);
    EXPECT_TRUE(WaitUntil([&] { return TopWindowsOf(run.ProcessId(), L"#32770").empty(); }));
    run.Settle();
  };

  const auto filesBefore = countFiles();
  HWND dialog = showDialog();
  ASSERT_NE(dialog, nullptr) << "no save dialog";
  cancel(dialog);
  EXPECT_EQ(run.Status(), Utf8(kStatusReadDone));
  EXPECT_EQ(countFiles(), filesBefore);

  // After a confirmed choice, a cancel must not write the image to that file again.
  const std::filesystem::path first = run.Folder().Path() / L"first.exe";
  dialog = showDialog();
  ASSERT_NE(dialog, nullptr) << "no save dialog";
  ChooseFile(dialog, first);
  ASSERT_TRUE(run.WaitForStatus(Utf8(kStatusSaved))) << run.Status();
  ASSERT_EQ(Contents(first), "xxABCxx");
  std::filesystem::remove(first);
  dialog = showDialog();
  ASSERT_NE(dialog, nullptr) << "no save dialog";
  cancel(dialog);
  EXPECT_FALSE(std::filesystem::exists(first));
  EXPECT_EQ(run.Status(), Utf8(kStatusSaved));
  EXPECT_EQ(run.CloseWithEsc(), 0u);
}

TEST(PatchAndSave, SavingOverAnExistingFileAsksFirst) {
  QuelvaneRun run(ProgramsUnderTest::quelvane);
  run.DropFiles({run.Folder().Put(L"image.bin", "new bytes")});
  ASSERT_TRUE(run.WaitForStatus(Utf8(kStatusReadDone)));
  const std::filesystem::path target = run.Folder().Put(L"target.exe", "old bytes, longer than the new");

  run.Click(run.Controls().按钮3);
  HWND dialog = WaitForDialog(run.ProcessId());
  ASSERT_NE(dialog, nullptr) << "no save dialog";
  ChooseFile(dialog, target);
  HWND question = WaitForQuestion(dialog);
  ASSERT_NE(question, nullptr) << "the existing file is replaced without a question";
  EXPECT_EQ(Contents(target), "old bytes, longer than the new");  // nothing written before the answer
  AnswerQuestion(question, IDYES);
  ASSERT_TRUE(run.WaitForStatus(Utf8(kStatusSaved))) << run.Status();
  EXPECT_EQ(Contents(target), "new bytes");  // emptied and rewritten, not overlaid
}

}  // namespace
