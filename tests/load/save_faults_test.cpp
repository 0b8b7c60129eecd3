// Saves that cannot succeed: onto a full disk and onto targets that may not be replaced. The
// status says so, and no file is lost or left half-written.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "core/status_texts.h"
#include "tests/e2e/quelvane_run.h"
#include "tests/e2e/save_dialog.h"
#include "tests/e2e/windows_of.h"

namespace {

std::string Contents(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::wstring> NamesIn(const std::filesystem::path& folder) {
  std::vector<std::wstring> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
  return names;
}

// Says yes to a question the dialog asks on top of itself, or takes note of a notice.
void Answer(HWND box) {
  try {
    AnswerQuestion(box, IDYES);
  } catch (const std::runtime_error&) {
    AnswerQuestion(box, IDOK);
  }
}

// Clicks 保存文件, chooses `target` and says yes when asked whether to replace it. Returns once the
// dialog is gone and the status has moved on from `before`.
void SaveThroughDialog(const QuelvaneRun& run, const std::filesystem::path& target, const std::string& before) {
  ::PostMessageW(run.Controls().按钮3, BM_CLICK, 0, 0);
  HWND dialog = WaitForDialog(run.ProcessId());
  ASSERT_NE(dialog, nullptr) << "no save dialog";
  ChooseFile(dialog, target);
  const bool done = WaitUntil(
      [&] {
        const std::vector<HWND> open = TopWindowsOf(run.ProcessId(), L"#32770");
        for (HWND window : open) {
          if (::GetWindow(window, GW_OWNER) == dialog) Answer(window);
        }
        return open.empty() && run.Status() != before;
      },
      std::chrono::seconds(30));
  ASSERT_TRUE(done) << "the dialog is still open or the status did not change: " << run.Status();
}

// Existing targets that a save must leave as they are.
TEST(SaveFaults, ATargetThatMayNotBeReplacedKeepsItsBytes) {
  struct Case {
    const char* what;
    DWORD attributes;  // set on the target before the save
    bool locked;       // held open by another program, with no sharing
  };
  const Case kCases[] = {
      {"read-only", FILE_ATTRIBUTE_READONLY, false},
      {"hidden", FILE_ATTRIBUTE_HIDDEN, false},
      {"locked", FILE_ATTRIBUTE_NORMAL, true},
  };
  QuelvaneRun run(ProgramsUnderTest::quelvane);
  run.DropFiles({run.Folder().Put(L"image.exe", "the new image's bytes")});
  ASSERT_EQ(run.Status(), Utf8(kStatusReadDone));
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    const std::string old = std::string("old bytes of the ") + c.what + " target";
    const std::filesystem::path target = run.Folder().Put(L"target.exe", old);
    ::SetFileAttributesW(target.c_str(), c.attributes);
    UniqueHandle holder;
    if (c.locked) {
      holder.reset(::CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
      ASSERT_NE(holder.get(), INVALID_HANDLE_VALUE);
    }
    const std::vector<std::wstring> namesBefore = NamesIn(run.Folder().Path());

    SaveThroughDialog(run, target, run.Status());
    EXPECT_EQ(run.Status(), Utf8(kStatusSaveFailed));
    holder.reset();
    EXPECT_EQ(Contents(target), old);
    EXPECT_EQ(NamesIn(run.Folder().Path()), namesBefore) << "a file was left beside the target";
    ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove(target);
    // Back to a status the next save must move away from.
    run.DropFiles({run.Folder().Path() / L"image.exe"});
  }
  EXPECT_EQ(run.CloseWithEsc(), 0u);
}

// A small disk mapped as a drive (see tests/files/small-disk): an image larger than the disk
// neither creates a new file there nor touches an existing one.
TEST(SaveFaults, AFullDiskLeavesNoHalfWrittenFile) {
  const char* drive = std::getenv("QV_FULL_DISK_DRIVE");
  if (!drive) GTEST_SKIP() << "no small disk mapped (QV_FULL_DISK_DRIVE)";
  const std::filesystem::path disk = Utf8ToWide(std::string(drive) + ":\\");
  QuelvaneRun run(ProgramsUnderTest::quelvane);
  run.DropFiles({run.Folder().Put(L"image.exe", std::string(1024 * 1024, 'q'))});
  ASSERT_EQ(run.Status(), Utf8(kStatusReadDone));

  const std::filesystem::path existing = disk / L"existing.exe";
  { std::ofstream(existing, std::ios::binary) << "bytes that were there"; }
  for (const std::filesystem::path& target : {disk / L"new.exe", existing}) {
    SCOPED_TRACE(WideToUtf8(target.wstring()));
    const std::vector<std::wstring> namesBefore = NamesIn(disk);
    SaveThroughDialog(run, target, run.Status());
    EXPECT_EQ(run.Status(), Utf8(kStatusSaveFailed));
    EXPECT_EQ(NamesIn(disk), namesBefore);
    run.DropFiles({run.Folder().Path() / L"image.exe"});
  }
  EXPECT_EQ(Contents(existing), "bytes that were there");
  std::filesystem::remove(existing);
  EXPECT_EQ(run.CloseWithEsc(), 0u);
}

}  // namespace
