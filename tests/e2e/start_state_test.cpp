// The window as it comes up: its controls in their places (found by QuelvaneRun), their texts,
// the frame, the list's columns, the status bar and where the focus is.
#include <gtest/gtest.h>

#include "core/status_texts.h"
#include "tests/e2e/quelvane_run.h"
#include "tests/e2e/windows_of.h"

namespace {

constexpr char8_t kTutorialText[] =
    u8"使用教程：\r\n①.首先把软件拖进这个软件里面或者右键注入这个软件\r\n\r\n②.然后在要改的原名那里的框打上你要"
    u8"修改的软件的原\r\n   内容\r\n\r\n③.点击查找再到要修改的内容的框里面打上你要改的内\r\n   容点击保存\r\n\r\n④."
    u8"点击保存文件就可以了";

TEST(StartState, ControlsShowTheirTexts) {
  QuelvaneRun run(ProgramsUnderTest::quelvane);
  const MainControls& c = run.Controls();
  struct TextCase {
    HWND control;
    std::u8string_view text;
  };
  const TextCase cases[] = {
      {c.window, u8"Quelvane"},  {c.标签1, u8"要改的软件信息原名"},
      {c.编辑框1, u8""},         {c.按钮1, u8"寻找"},
      {c.分组框1, u8"修改选项"}, {c.标签2, u8"位置"},
      {c.编辑框2, u8""},         {c.标签3, u8"要修改的内容"},
      {c.编辑框3, u8""},         {c.按钮3, u8"保存文件"},
      {c.按钮2, u8"修改"},       {c.标签5, kTutorialText},
  };
  for (const TextCase& each : cases) {
    EXPECT_EQ(EditText(each.control), Utf8(each.text)) << WideToUtf8(ClassOf(each.control));
  }
  EXPECT_EQ(run.Status(), Utf8(kStatusAtStart));
  EXPECT_EQ(StatusBarPartCount(c.状态条1), 1);
}

TEST(StartState, FocusInSearchBoxAndListEmptyWithItsColumns) {
  QuelvaneRun run(ProgramsUnderTest::quelvane);
  const MainControls& c = run.Controls();
  EXPECT_EQ(run.Focus(), c.编辑框1);
  EXPECT_EQ(ListRowCount(c.超级列表框1), 0);
  EXPECT_EQ(ListSelectedRow(c.超级列表框1), -1);
  EXPECT_EQ(ListColumnWidth(c.超级列表框1, 0), 50);
  EXPECT_EQ(ListColumnWidth(c.超级列表框1, 1), 300);
  EXPECT_EQ(ListColumnWidth(c.超级列表框1, 2), 240);
}

TEST(StartState, FixedTopmostFrameCentredOnTheScreen) {
  QuelvaneRun run(ProgramsUnderTest::quelvane);
  HWND window = run.Controls().window;
  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
  const auto extended = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE));
  EXPECT_TRUE(extended & WS_EX_TOPMOST);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);

  // The outer size may give way to the frame's metrics, so the centre is checked, not the corner.
  const RECT place = PlaceOf(window);
  const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
  EXPECT_NEAR((place.left + place.right) / 2, screenWidth / 2, 8);
  EXPECT_NEAR((place.top + place.bottom) / 2, screenHeight / 2, 8);
}

}  // namespace
