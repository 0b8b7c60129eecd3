// Many user cycles against one running program: drop a changed file, search, pick the first row,
// patch it, save through the dialog. What the program holds must not grow from cycle to cycle.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "core/status_texts.h"
#include "tests/e2e/quelvane_run.h"
#include "tests/e2e/save_dialog.h"
#include "tests/load/resource_probe.h"

namespace {

int CycleCount() {
  const char* text = std::getenv("QV_SOAK_CYCLES");
  const int count = text ? std::atoi(text) : 0;
  return count > 0 ? count : 2000;
}

std::string Contents(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The file of cycle `cycle`: its size and the places of the searched text change every time.
struct CycleFile {
  std::string bytes;
  std::size_t firstPlace = 0;  // 0-based
};

CycleFile MakeFile(int cycle) {
  CycleFile file;
  file.bytes.assign(2048 + static_cast<std::size_t>(cycle * 37 % 6000), '.');
  const int places = 1 + cycle % 5;
  file.firstPlace = static_cast<std::size_t>(cycle * 13 % 1500);
  for (int i = 0; i < places; ++i) file.bytes.replace(file.firstPlace + static_cast<std::size_t>(i) * 100, 6, "needle");
  return file;
}

// Memory may move by what the heap keeps in reserve; objects by a handful.
constexpr std::size_t kMemoryBound = 4 * 1024 * 1024;
constexpr DWORD kObjectBound = 8;

TEST(Soak, FiguresStayFlatOverManyCycles) {
  const int cycles = CycleCount();
  const int warmUp = std::min(20, cycles / 4);  // the first save dialog loads the shell
  QuelvaneRun run(ProgramsUnderTest::quelvane);
  const MainControls& c = run.Controls();
  const std::filesystem::path saved = run.Folder().Path() / L"saved.exe";
  const ResourceProbe probe(BesideThisProgram(L"resource_probe_hook.dll"), c.window);

  ResourceFigures first{};
  const auto started = std::chrono::steady_clock::now();
  for (int cycle = 0; cycle < cycles; ++cycle) {
    SCOPED_TRACE("cycle " + std::to_string(cycle));
    const CycleFile file = MakeFile(cycle);
    run.DropFiles({run.Folder().Put(L"cycle-" + std::to_wstring(cycle % 3) + L".exe", file.bytes)});
    ASSERT_EQ(run.Status(), Utf8(kStatusReadDone));

    ::SendMessageW(c.编辑框1, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"needle"));
    ::SendMessageW(c.按钮1, BM_CLICK, 0, 0);
    const std::vector<ListRow> rows = run.Rows();
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(1 + cycle % 5));
    ASSERT_EQ(rows[0][2], std::to_string(file.firstPlace + 1));

    run.ClickRow(0);
    ASSERT_EQ(EditAnsiText(c.编辑框2), rows[0][2]);
    ::SendMessageW(c.编辑框3, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"pin"));
    ::SendMessageW(c.按钮2, BM_CLICK, 0, 0);
    ASSERT_EQ(run.Status(), Utf8(kStatusPatched));

    // The dialog is modal: the click is posted, and the dialog answered from here.
    ::PostMessageW(c.按钮3, BM_CLICK, 0, 0);
    HWND dialog = WaitForDialog(run.ProcessId());
    ASSERT_NE(dialog, nullptr) << "no save dialog";
    ChooseFile(dialog, saved);
    ASSERT_TRUE(run.WaitForStatus(Utf8(kStatusSaved))) << run.Status();
    std::string expected = file.bytes;
    expected.replace(file.firstPlace, 6, std::string("pin\0\0\0", 6));
    ASSERT_EQ(Contents(saved), expected);
    std::filesystem::remove(saved);

    if (cycle + 1 == warmUp) first = probe.Measure();
  }
  const ResourceFigures last = probe.Measure();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("soak: %d cycles in %.1f s (%.1f ms per cycle)\n", cycles, seconds, 1000 * seconds / cycles);
  std::printf("soak: after %d cycles: %s\n", warmUp, Describe(first).c_str());
  std::printf("soak: after %d cycles: %s\n", cycles, Describe(last).c_str());

  EXPECT_LE(last.privateUsage, first.privateUsage + kMemoryBound);
  EXPECT_LE(last.privateCommitted, first.privateCommitted + kMemoryBound);
  EXPECT_LE(last.workingSet, first.workingSet + kMemoryBound);
  EXPECT_LE(last.handleCount, first.handleCount + kObjectBound);
  // Wine's save dialog keeps one key open per save; every other handle must be given back.
  EXPECT_LE(last.handlesListed - last.dialogMemoryKeys, first.handlesListed - first.dialogMemoryKeys + kObjectBound);
  EXPECT_LE(last.dialogMemoryKeys - first.dialogMemoryKeys, static_cast<DWORD>(cycles - warmUp));
  EXPECT_LE(last.gdiCount, first.gdiCount + kObjectBound);
  EXPECT_LE(last.gdiObjects, first.gdiObjects + kObjectBound);
  EXPECT_LE(last.userCount, first.userCount + kObjectBound);
  EXPECT_LE(last.menus, first.menus + kObjectBound);
  EXPECT_LE(last.icons, first.icons + kObjectBound);
  EXPECT_EQ(last.windows, first.windows);
  EXPECT_EQ(run.CloseWithEsc(), 0u);
}

}  // namespace
