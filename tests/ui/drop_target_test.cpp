#include <gtest/gtest.h>

#include <optional>

#include "tests/ui/data_object.h"
#include "ui/drop_target_win32.h"

namespace {

constexpr DWORD kAnyEffect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

struct Dropped {
  std::optional<std::string> text;  // set when FilesDropped was raised
  ComRef<DropTarget> target = DropTarget::Create([this](std::string_view dropped) { text = std::string(dropped); });
};

DWORD EnterEffect(DropTarget& target, IDataObject* data, DWORD allowed) {
  DWORD effect = allowed;
  EXPECT_EQ(target.DragEnter(data, MK_LBUTTON, {10, 10}, &effect), S_OK);
  return effect;
}

DWORD DropEffect(DropTarget& target, IDataObject* data, DWORD allowed) {
  DWORD effect = allowed;
  EXPECT_EQ(target.DragEnter(data, MK_LBUTTON, {10, 10}, &effect), S_OK);
  effect = allowed;
  EXPECT_EQ(target.Drop(data, 0, {10, 10}, &effect), S_OK);
  return effect;
}

TEST(DropTarget, FilesDroppedCarriesThePathTextOfTheShellList) {
  struct Case {
    std::vector<std::string> paths;
    std::string expected;
  };
  const Case cases[] = {
      {{"C:\\in\\a.exe"}, "C:\\in\\a.exe"},  // one path: no line end
      {{"C:\\a.exe", "D:\\b c\\d.exe"}, "C:\\a.exe\r\nD:\\b c\\d.exe\r\n"},
      {{"C:\\\xD6\xD0\xCE\xC4.exe", "C:\\folder", "C:\\x"}, "C:\\\xD6\xD0\xCE\xC4.exe\r\nC:\\folder\r\nC:\\x\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    Dropped dropped;
    ComRef<IDataObject> data = MakeFileListObject(c.paths);
    EXPECT_EQ(EnterEffect(*dropped.target, data.Get(), kAnyEffect), static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(DropEffect(*dropped.target, data.Get(), kAnyEffect), static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(dropped.text, c.expected);
  }
}

TEST(DropTarget, RefusesTextAndDropsNothing) {
  Dropped dropped;
  ComRef<IDataObject> text = MakeTextObject("https://example.org/a.exe");
  EXPECT_EQ(EnterEffect(*dropped.target, text.Get(), kAnyEffect), static_cast<DWORD>(DROPEFFECT_NONE));
  DWORD over = kAnyEffect;
  EXPECT_EQ(dropped.target->DragOver(MK_LBUTTON, {20, 20}, &over), S_OK);
  EXPECT_EQ(over, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(DropEffect(*dropped.target, text.Get(), kAnyEffect), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_FALSE(dropped.text.has_value());
}

TEST(DropTarget, NeverAnswersMoveSoTheSourceKeepsItsFile) {
  Dropped dropped;
  ComRef<IDataObject> files = MakeFileListObject({"C:\\a.exe"});
  EXPECT_EQ(EnterEffect(*dropped.target, files.Get(), DROPEFFECT_MOVE | DROPEFFECT_LINK),
            static_cast<DWORD>(DROPEFFECT_LINK));
  EXPECT_EQ(EnterEffect(*dropped.target, files.Get(), DROPEFFECT_MOVE), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(DropEffect(*dropped.target, files.Get(), DROPEFFECT_MOVE), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_FALSE(dropped.text.has_value());
}

TEST(DropTarget, EmptyFileListDropsNothing) {
  Dropped dropped;
  ComRef<IDataObject> files = MakeFileListObject({});
  DropEffect(*dropped.target, files.Get(), kAnyEffect);
  EXPECT_FALSE(dropped.text.has_value()) << testing::PrintToString(*dropped.text);
}

TEST(DropTarget, SecondRegistrationIsRefusedAndTheFirstStays) {
  ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
  const HWND window = ::CreateWindowExW(0, L"Static", L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                        ::GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  {
    Dropped dropped;
    EXPECT_TRUE(RegisterDropTarget(*dropped.target, window));
    EXPECT_FALSE(RegisterDropTarget(*dropped.target, window));
    EXPECT_TRUE(dropped.target->IsRegistered());
    // The system holds the first registration: a second target for the window is refused by it.
    Dropped other;
    EXPECT_FALSE(RegisterDropTarget(*other.target, window));
    dropped.target->Revoke();
    EXPECT_FALSE(dropped.target->IsRegistered());
    EXPECT_TRUE(RegisterDropTarget(*other.target, window));
    other.target->Revoke();
  }
  ::DestroyWindow(window);
  ::OleUninitialize();
}

}  // namespace
