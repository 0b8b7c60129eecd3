#include "tests/e2e/quelvane_run.h"

#include <stdexcept>

#include "tests/e2e/user_input.h"
#include "tests/e2e/windows_of.h"

namespace {

HWND Require(HWND found, HWND parent, const char* name) {
  if (!found) {
    throw std::runtime_error(std::string("no ") + name + " in its place; the children found:\n" +
                             DescribeChildren(parent));
  }
  return found;
}

}  // namespace

QuelvaneRun::QuelvaneRun(const std::filesystem::path& program) : program_(StartProgram(folder_.CopyIn(program))) {
  HWND window = nullptr;
  WaitUntil([&] {
    const std::vector<HWND> windows = TopWindowsOf(program_.processId);
    for (HWND candidate : windows) {
      if (!::GetWindow(candidate, GW_OWNER) && ChildOfClass(candidate, L"msctls_statusbar32")) window = candidate;
    }
    return window != nullptr;
  });
  if (!window) throw std::runtime_error("the window did not appear");
  controls_.window = window;
  Settle();
  FindControls();
}

QuelvaneRun::~QuelvaneRun() {
  if (!WaitForExit(Process(), std::chrono::milliseconds(0))) {
    ::TerminateProcess(Process(), 1);
    WaitForExit(Process());
  }
}

void QuelvaneRun::FindControls() {
  MainControls& c = controls_;
  HWND w = c.window;
  c.标签1 = Require(ChildAt(w, L"Static", 8, 24, 112, 24), w, "标签1");
  c.编辑框1 = Require(ChildAt(w, L"Edit", 128, 16, 336, 48), w, "编辑框1");
  c.按钮1 = Require(ChildAt(w, L"Button", 472, 24, 72, 32), w, "按钮1");
  c.超级列表框1 = Require(ChildAt(w, L"SysListView32", 8, 80, 596, 144), w, "超级列表框1");
  c.分组框1 = Require(ChildAt(w, L"Button", 8, 224, 296, 128), w, "分组框1");
  c.标签5 = Require(ChildAt(w, L"Static", 312, 232, 304, 128), w, "标签5");
  c.状态条1 = Require(ChildOfClass(w, L"msctls_statusbar32"), w, "状态条1");
  HWND g = c.分组框1;
  c.标签2 = Require(ChildAt(g, L"Static", 48, 32, 32, 16), g, "标签2");
  c.编辑框2 = Require(ChildAt(g, L"Edit", 88, 24, 136, 24), g, "编辑框2");
  c.标签3 = Require(ChildAt(g, L"Static", 8, 80, 72, 16), g, "标签3");
  c.编辑框3 = Require(ChildAt(g, L"Edit", 88, 64, 136, 48), g, "编辑框3");
  c.按钮3 = Require(ChildAt(g, L"Button", 232, 32, 56, 24), g, "按钮3");
  c.按钮2 = Require(ChildAt(g, L"Button", 232, 72, 56, 24), g, "按钮2");
}

std::string QuelvaneRun::Status() const { return StatusBarText(Process(), controls_.状态条1); }
std::vector<ListRow> QuelvaneRun::Rows() const { return ListRows(Process(), controls_.超级列表框1); }
HWND QuelvaneRun::Focus() const { return FocusIn(program_.threadId); }

DWORD QuelvaneRun::DropFiles(const std::vector<std::filesystem::path>& paths, PathCharacters characters) const {
  const DWORD effect = ::DropFiles(CentreOf(controls_.标签5), paths, characters);
  Settle();
  return effect;
}

DWORD QuelvaneRun::DropData(std::wstring_view formatName, std::string_view bytes) const {
  const DWORD effect = ::DropData(CentreOf(controls_.标签5), formatName, bytes);
  Settle();
  return effect;
}

void QuelvaneRun::Type(HWND control, std::wstring_view text) const { TypeInto(control, text); }

void QuelvaneRun::Click(HWND control) const {
  BringToFront(controls_.window);
  ClickOn(control);
}

void QuelvaneRun::ClickRow(int row) const {
  BringToFront(controls_.window);
  ClickAt(ListRowPoint(Process(), controls_.超级列表框1, row), controls_.超级列表框1);
}

void QuelvaneRun::Key(WORD virtualKey, bool withShift) const {
  BringToFront(controls_.window);
  PressKey(virtualKey, withShift);
  DrainInput(controls_.window);
}

void QuelvaneRun::Settle() const { ::Settle(controls_.window); }

void QuelvaneRun::Search(std::wstring_view text) const {
  Type(controls_.编辑框1, text);
  Click(controls_.按钮1);
}

bool QuelvaneRun::WaitForFocus(HWND control) const {
  return WaitUntil([&] { return Focus() == control; }, std::chrono::seconds(5));
}

bool QuelvaneRun::WaitForStatus(std::string_view text) const {
  return WaitUntil([&] { return Status() == text; });
}

std::optional<DWORD> QuelvaneRun::CloseWithEsc() const {
  BringToFront(controls_.window);
  PressKey(VK_ESCAPE);
  return WaitForExit(Process());
}
