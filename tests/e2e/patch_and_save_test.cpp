// The whole road on a real program: drop it, find its text, pick the row, patch, save under a new
// name through the save dialog, and run what was saved.
#include <gtest/gtest.h>

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
  const std::filesystem::path saved = run.Folder().Path() / L"patched.exe";
  ChooseFile(dialog, saved);
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
  const auto filesBefore = std::distance(std::filesystem::directory_iterator(run.Folder().Path()), {});

  run.Click(run.Controls().按钮3);
  HWND dialog = WaitForDialog(run.ProcessId());
  ASSERT_NE(dialog, nullptr) << "no save dialog";
  CancelDialog(dialog);
  ASSERT_TRUE(WaitUntil([&] { return TopWindowsOf(run.ProcessId(), L"#32770").empty(); }));
  run.Settle();

  EXPECT_EQ(run.Status(), Utf8(kStatusReadDone));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(run.Folder().Path()), {}), filesBefore);
  EXPECT_EQ(run.CloseWithEsc(), 0u);
}

}  // namespace
