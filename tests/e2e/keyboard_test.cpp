// The keyboard as a person uses it: the Tab cycle both ways, Enter, the digits-only position box
// and Esc from every control.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/status_texts.h"
#include "tests/e2e/quelvane_run.h"
#include "tests/e2e/windows_of.h"

namespace {

// The cycle from 编辑框1 on; Tab walks it forwards, Shift+Tab backwards.
std::vector<HWND> TabCycle(const MainControls& c) {
  return {c.编辑框1, c.按钮1, c.超级列表框1, c.编辑框2, c.编辑框3, c.按钮2, c.按钮3};
}

std::string NameOf(const MainControls& c, HWND control) {
  const std::vector<HWND> cycle = TabCycle(c);
  const char* names[] = {"编辑框1", "按钮1", "超级列表框1", "编辑框2", "编辑框3", "按钮2", "按钮3"};
  for (size_t i = 0; i < cycle.size(); ++i) {
    if (cycle[i] == control) return names[i];
  }
  return control ? WideToUtf8(ClassOf(control)) : "nothing";
}

TEST(Keyboard, TabWalksTheCycleForwardsAndShiftTabBackwards) {
  QuelvaneRun run(ProgramsUnderTest::quelvane);
  const MainControls& c = run.Controls();
  const std::vector<HWND> cycle = TabCycle(c);
  ASSERT_EQ(NameOf(c, run.Focus()), "编辑框1");
  for (size_t step = 1; step <= cycle.size(); ++step) {
    run.Key(VK_TAB);
    run.WaitForFocus(cycle[step % cycle.size()]);
    EXPECT_EQ(NameOf(c, run.Focus()), NameOf(c, cycle[step % cycle.size()])) << "after Tab number " << step;
  }
  for (size_t step = 1; step <= cycle.size(); ++step) {
    run.Key(VK_TAB, true);
    run.WaitForFocus(cycle[(cycle.size() - step) % cycle.size()]);
    EXPECT_EQ(NameOf(c, run.Focus()), NameOf(c, cycle[(cycle.size() - step) % cycle.size()]))
        << "after Shift+Tab number " << step;
  }
  EXPECT_EQ(EditAnsiText(c.编辑框1), "");  // Tab moved the focus and typed nothing
}

TEST(Keyboard, EnterBreaksTheSearchLineAndRunsNothingElsewhere) {
  QuelvaneRun run(ProgramsUnderTest::quelvane);
  const MainControls& c = run.Controls();
  run.Type(c.编辑框1, L"ab");
  run.Key(VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return EditAnsiText(c.编辑框1) == "ab\r\n"; })) << EditAnsiText(c.编辑框1);
  EXPECT_EQ(run.Focus(), c.编辑框1);

  // 修改 or 寻找 pressed by Enter would change the status line (no position, no file). A digit
  // typed after Enter shows when the Enter has been handled.
  for (HWND box : {c.编辑框2, c.编辑框3}) {
    run.Click(box);
    ASSERT_EQ(run.Focus(), box);
    run.Key(VK_RETURN);
    run.Key('7');
    EXPECT_TRUE(WaitUntil([&] { return EditAnsiText(box) == "7"; })) << EditAnsiText(box);
    EXPECT_EQ(run.Focus(), box);
    EXPECT_EQ(run.Status(), Utf8(kStatusAtStart));
  }
}

TEST(Keyboard, PositionBoxDropsTypedLettersButTakesPastedText) {
  QuelvaneRun run(ProgramsUnderTest::quelvane);
  HWND box = run.Controls().编辑框2;
  run.Type(box, L"a1-2b3 x");
  EXPECT_EQ(EditAnsiText(box), "1-23");

  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  const char pasted[] = "abc";
  HGLOBAL global = ::GlobalAlloc(GMEM_MOVEABLE, sizeof pasted);
  std::memcpy(::GlobalLock(global), pasted, sizeof pasted);
  ::GlobalUnlock(global);
  ::SetClipboardData(CF_TEXT, global);
  ::CloseClipboard();
  ::SendMessageW(box, WM_PASTE, 0, 0);
  EXPECT_EQ(EditAnsiText(box), "1-23abc");
}

TEST(Keyboard, EscEndsTheProgramWithCodeZeroFromEveryControl) {
  for (size_t tabs = 0; tabs < 7; ++tabs) {
    QuelvaneRun run(ProgramsUnderTest::quelvane);
    for (size_t i = 0; i < tabs; ++i) run.Key(VK_TAB);
    run.WaitForFocus(TabCycle(run.Controls())[tabs]);
    const std::string focus = NameOf(run.Controls(), run.Focus());
    EXPECT_EQ(run.CloseWithEsc(), 0u) << "Esc in " << focus;
  }
}

}  // namespace
