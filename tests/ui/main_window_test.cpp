#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

#include "core/status_texts.h"
#include "ui/bindings_win32.h"
#include "ui/main_window_win32.h"
#include "ui/text_win32.h"

namespace {

// The image "..ab..ab.ab": "ab" occurs at positions 3, 7 and 10.
constexpr char kImage[] = "..ab..ab.ab";

std::wstring StatusBarText(HWND statusBar) {
  std::wstring text(static_cast<std::size_t>(LOWORD(::SendMessageW(statusBar, SB_GETTEXTLENGTHW, 0, 0))), L'\0');
  ::SendMessageW(statusBar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text.data()));
  return text;
}

MSG KeyDown(HWND target, WPARAM key) { return MSG{target, WM_KEYDOWN, key, 0, 0, {}}; }

class MainWindowTest : public testing::Test {
 public:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
    window_.emplace(workspace_);
    ASSERT_TRUE(window_->Create([this](MainWindow& created) { createdRan_ = created.Handle() != nullptr; }));
  }
  void TearDown() override {
    window_.reset();
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }  // the quit message of the closed window
    ::OleUninitialize();
  }

  MainWindow& Window() { return *window_; }
  HWND Control(Ctl id) { return window_->Control(id); }

  void LoadImage() {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(kImage);
    workspace_.image.Install(ByteBlock({bytes, sizeof kImage - 1}));
  }
  void Click(Ctl button) { ::SendMessageW(Control(button), BM_CLICK, 0, 0); }
  void Search(std::string_view text) {
    Window().SetText(Ctl::编辑框1, text);
    Click(Ctl::按钮1);
  }
  // What a click on a row does to the list's state: the row becomes current and selected.
  void MakeCurrent(int row, bool select = true) {
    const UINT state = LVIS_FOCUSED | (select ? LVIS_SELECTED : 0);
    ListView_SetItemState(Control(Ctl::超级列表框1), row, state, LVIS_FOCUSED | LVIS_SELECTED);
  }

  Workspace workspace_;
  std::optional<MainWindow> window_;
  bool createdRan_ = false;
};

TEST_F(MainWindowTest, StartsAsDescribed) {
  EXPECT_TRUE(createdRan_);
  const HWND window = Window().Handle();
  RECT outer{};
  ::GetWindowRect(window, &outer);
  EXPECT_EQ(outer.right - outer.left, 619);
  EXPECT_EQ(outer.bottom - outer.top, 415);
  EXPECT_EQ(outer.left, (::GetSystemMetrics(SM_CXSCREEN) - 619) / 2);
  EXPECT_EQ(outer.top, (::GetSystemMetrics(SM_CYSCREEN) - 415) / 2);
  const auto style = static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE));
  EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0u) << "neither maximised nor resized";
  EXPECT_NE(style & WS_MINIMIZEBOX, 0u);
  EXPECT_NE(::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(StatusBarText(Control(Ctl::状态条1)), WideFromUtf8(kStatusAtStart));
  EXPECT_EQ(::GetFocus(), Control(Ctl::编辑框1));

  const HWND list = Control(Ctl::超级列表框1);
  EXPECT_EQ(ListView_GetItemCount(list), 0);
  for (int column = 0; column < 3; ++column)
    EXPECT_EQ(ListView_GetColumnWidth(list, column), kResultColumns[column].width);
  EXPECT_EQ(Window().SelectedRowIndex(), -1);

  // Every control sits in its parent where the table puts it; the group box's children are its own.
  for (const ControlDef& def : kMainControls) {
    if (def.kind == ControlKind::StatusBar || def.kind == ControlKind::SaveDialog ||
        def.kind == ControlKind::DropTarget)
      continue;
    const HWND control = Control(def.id);
    SCOPED_TRACE(static_cast<int>(def.id));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(::GetParent(control), Control(def.parent));
    RECT place{};
    ::GetWindowRect(control, &place);
    ::MapWindowPoints(nullptr, Control(def.parent), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, def.box.x);
    EXPECT_EQ(place.top, def.box.y);
    EXPECT_EQ(place.right - place.left, def.box.w);
    EXPECT_EQ(place.bottom - place.top, def.box.h);
  }
}

TEST_F(MainWindowTest, ButtonsRunTheirOperationsAlsoInsideTheGroupBox) {
  LoadImage();
  Click(Ctl::按钮1);  // nothing typed
  EXPECT_EQ(StatusBarText(Control(Ctl::状态条1)), WideFromUtf8(kStatusEnterSearchText));

  Window().SetText(Ctl::编辑框1, "ab");
  Window().SetText(Ctl::编辑框3, "x");
  Click(Ctl::按钮2);  // no position: the patch asks for one
  EXPECT_EQ(StatusBarText(Control(Ctl::状态条1)), WideFromUtf8(kStatusEnterPosition));

  Window().SetText(Ctl::编辑框2, "7");
  Click(Ctl::按钮2);
  EXPECT_EQ(StatusBarText(Control(Ctl::状态条1)), WideFromUtf8(kStatusPatched));
  const ByteBlock& image = workspace_.image.Bytes();
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.Data()), static_cast<std::size_t>(image.Length())),
            std::string("..ab..x\0.ab", 11));
  EXPECT_EQ(ListView_GetItemCount(Control(Ctl::超级列表框1)), 2) << "the patch searched again";
}

TEST_F(MainWindowTest, ListShowsTheResultRowsAndCellsOfMissingRowsAreEmpty) {
  LoadImage();
  Search("ab");
  const HWND list = Control(Ctl::超级列表框1);
  ASSERT_EQ(ListView_GetItemCount(list), 3);
  wchar_t shown[32] = {};
  ListView_GetItemText(list, 2, 2, shown, 32);
  EXPECT_STREQ(shown, L"10");
  ListView_GetItemText(list, 1, 1, shown, 32);
  EXPECT_STREQ(shown, L"ab");

  EXPECT_EQ(Window().CellText(0, 2), "3");
  EXPECT_EQ(Window().CellText(2, 0), "3");
  for (const auto& [row, column] : {std::pair{3, 0}, {-1, 2}, {0, 3}, {0, -1}, {1000, 1}})
    EXPECT_EQ(Window().CellText(row, column), "") << row << "," << column;
  EXPECT_EQ(Window().SelectedRowIndex(), -1);

  Search("zz");  // nothing found: the list is emptied
  EXPECT_EQ(ListView_GetItemCount(list), 0);
  EXPECT_EQ(Window().CellText(0, 2), "");
}

TEST_F(MainWindowTest, ANewCurrentRowCopiesItsPositionAndNothingElseDoes) {
  LoadImage();
  Search("ab");
  struct Step {
    const char* what;
    void (*act)(MainWindowTest&);
    const char* expectedPosition;
  };
  const Step steps[] = {
      {"click row 1", [](MainWindowTest& t) { t.MakeCurrent(1); }, "7"},
      {"type over it", [](MainWindowTest& t) { t.Window().SetText(Ctl::编辑框2, "77"); }, "77"},
      {"click row 1 again", [](MainWindowTest& t) { t.MakeCurrent(1); }, "77"},
      {"search again: rows removed and appended", [](MainWindowTest& t) { t.Click(Ctl::按钮1); }, "77"},
      {"click row 1 of the new rows", [](MainWindowTest& t) { t.MakeCurrent(1); }, "7"},
      {"click row 0", [](MainWindowTest& t) { t.MakeCurrent(0); }, "3"},
      {"selection alone goes",
       [](MainWindowTest& t) { ListView_SetItemState(t.Control(Ctl::超级列表框1), 0, 0, LVIS_SELECTED); }, "3"},
      {"current row moves with none selected", [](MainWindowTest& t) { t.MakeCurrent(2, false); }, ""},
  };
  for (const Step& step : steps) {
    step.act(*this);
    EXPECT_EQ(Window().AnsiText(Ctl::编辑框2), step.expectedPosition) << step.what;
  }
}

TEST_F(MainWindowTest, PositionBoxDropsTypedLettersButTakesPastedText) {
  const HWND box = Control(Ctl::编辑框2);
  for (const wchar_t c : std::wstring_view(L"1a-b2 x\x4F4D")) ::SendMessageW(box, WM_CHAR, c, 1);
  EXPECT_EQ(Window().AnsiText(Ctl::编辑框2), "1-2");
  ::SendMessageW(box, WM_CHAR, L'\b', 1);
  EXPECT_EQ(Window().AnsiText(Ctl::编辑框2), "1-");

  ASSERT_TRUE(::OpenClipboard(Window().Handle()));
  ::EmptyClipboard();
  const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, sizeof L"abc");
  std::memcpy(::GlobalLock(memory), L"abc", sizeof L"abc");
  ::GlobalUnlock(memory);
  ::SetClipboardData(CF_UNICODETEXT, memory);
  ::CloseClipboard();
  ::SendMessageW(box, WM_PASTE, 0, 0);
  EXPECT_EQ(Window().AnsiText(Ctl::编辑框2), "1-abc");
}

TEST_F(MainWindowTest, TabWalksTheCycleBothWaysAlsoOutOfTheSearchBox) {
  const Ctl cycle[] = {Ctl::编辑框1, Ctl::按钮1, Ctl::超级列表框1, Ctl::编辑框2, Ctl::编辑框3, Ctl::按钮2, Ctl::按钮3};
  const int n = static_cast<int>(std::size(cycle));
  for (const bool backwards : {false, true}) {
    ::SetFocus(Control(Ctl::编辑框1));
    for (int step = 1; step <= n; ++step) {
      EXPECT_TRUE(Window().HandleKey(KeyDown(::GetFocus(), VK_TAB), backwards));
      const Ctl expected = cycle[backwards ? (n - step % n) % n : step % n];
      EXPECT_EQ(::GetFocus(), Control(expected)) << (backwards ? "Shift+Tab" : "Tab") << " step " << step;
    }
  }
  EXPECT_EQ(Window().AnsiText(Ctl::编辑框1), "") << "Tab inserts no tab character";
}

TEST_F(MainWindowTest, EnterBreaksTheLineInTheSearchBoxOnlyAndRunsNothing) {
  EXPECT_FALSE(Window().HandleKey(KeyDown(Control(Ctl::编辑框1), VK_RETURN), false)) << "reaches the box";
  ::SendMessageW(Control(Ctl::编辑框1), WM_CHAR, L'a', 1);
  ::SendMessageW(Control(Ctl::编辑框1), WM_CHAR, L'\r', 1);
  EXPECT_EQ(Window().AnsiText(Ctl::编辑框1), "a\r\n");
  for (const Ctl id : {Ctl::编辑框2, Ctl::编辑框3, Ctl::按钮1, Ctl::按钮2, Ctl::超级列表框1})
    EXPECT_TRUE(Window().HandleKey(KeyDown(Control(id), VK_RETURN), false)) << static_cast<int>(id);
  EXPECT_EQ(StatusBarText(Control(Ctl::状态条1)), WideFromUtf8(kStatusAtStart)) << "no operation ran";
}

TEST_F(MainWindowTest, EscClosesTheWindowFromAnyControlWithExitCodeZero) {
  EXPECT_TRUE(Window().HandleKey(KeyDown(Control(Ctl::编辑框3), VK_ESCAPE), false));
  EXPECT_EQ(Window().Handle(), nullptr);
  MSG message{};
  ASSERT_TRUE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 0u);
}

}  // namespace
