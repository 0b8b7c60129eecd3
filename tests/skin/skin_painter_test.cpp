// The real QvSkin.dll on a window of this thread, the way the program uses it.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include "skin/skin_library.h"
#include "skinlib/skin_format.h"
#include "tests/skin/test_folder_win32.h"

namespace {

// The library as the program deploys it. It stays loaded for the rest of the test run: its
// thread hook and subclasses live as long as the windows of this thread.
decltype(&QvSkinAttach) Attach() {
  static const auto attach = [] {
    static TestFolder folder;
    const std::wstring path = folder.Path(L"QvSkin.dll");
    const auto image = SkinLibraryImage();
    WriteBytes(path, Bytes(image.begin(), image.end()));
    const HMODULE module = ::LoadLibraryW(path.c_str());
    const auto found = reinterpret_cast<void (*)()>(::GetProcAddress(module, "QvSkinAttach"));
    return reinterpret_cast<decltype(&QvSkinAttach)>(found);
  }();
  return attach;
}

bool IsRestyled(HWND window) {
  return ::GetWindowLongPtrW(window, GWLP_WNDPROC) != static_cast<LONG_PTR>(::GetClassLongPtrW(window, GCLP_WNDPROC));
}

void Pump() {
  MSG message;
  for (int i = 0; i < 20; ++i) {
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    ::Sleep(10);
  }
}

// A window like the program's: fixed frame with a minimise button, and one of each control.
struct TestWindow {
  HWND frame = nullptr, label = nullptr, edit = nullptr, button = nullptr, group = nullptr, list = nullptr,
       status = nullptr;

  TestWindow() {
    static const ATOM atom = [] {
      WNDCLASSW windowClass{};
      windowClass.lpfnWndProc = ::DefWindowProcW;
      windowClass.hInstance = ::GetModuleHandleW(nullptr);
      windowClass.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
      windowClass.lpszClassName = L"QvSkinTestWindow";
      return ::RegisterClassW(&windowClass);
    }();
    (void)atom;
    frame =
        ::CreateWindowExW(0, L"QvSkinTestWindow", L"皮肤测试", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                          40, 40, 420, 320, nullptr, nullptr, nullptr, nullptr);
    label = Child(0, L"Static", L"说明", 0, {10, 10, 120, 20});
    edit = Child(WS_EX_CLIENTEDGE, L"Edit", L"text", ES_AUTOHSCROLL, {140, 10, 120, 24});
    button = Child(0, L"Button", L"寻找", BS_PUSHBUTTON, {270, 10, 80, 28});
    group = Child(0, L"Button", L"修改选项", BS_GROUPBOX, {10, 44, 380, 60});
    list = Child(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"", LVS_REPORT | LVS_SINGLESEL, {10, 110, 380, 120});
    status = Child(0, STATUSCLASSNAMEW, L"状态：就绪", 0, {0, 0, 0, 0});
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 120;
    column.pszText = const_cast<wchar_t*>(L"位置");
    ::SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    for (int row = 0; row < 3; ++row) {
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = row;
      item.pszText = const_cast<wchar_t*>(L"100");
      ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    ::ShowWindow(frame, SW_SHOW);
    ::UpdateWindow(frame);
  }
  ~TestWindow() {
    if (::IsWindow(frame)) ::DestroyWindow(frame);
  }

  HWND Child(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, RECT box) const {
    return ::CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, box.left, box.top, box.right,
                             box.bottom, frame, nullptr, nullptr, nullptr);
  }

  // The first point along the middle of the title bar, from the right, that hit-tests as `code`.
  POINT FindHit(LRESULT code) const {
    RECT rect{};
    ::GetWindowRect(frame, &rect);
    POINT client{0, 0};
    ::ClientToScreen(frame, &client);
    const int y = (rect.top + client.y) / 2;
    for (int x = rect.right - 1; x > rect.left; --x) {
      if (::SendMessageW(frame, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == code) return {x, y};
    }
    return {-1, -1};
  }
};

COLORREF ColourOf(const Skin& skin, ColourRole role) {
  const Rgb c = skin.Colour(role);
  return RGB(c.r, c.g, c.b);
}

TEST(SkinPainter, InvalidSkinsRestyleNothing) {
  TestWindow window;
  const ByteBlock skin = SkinCatalogueEntry(26);
  Bytes badMagic(skin.Bytes().begin(), skin.Bytes().end());
  badMagic[0] = 'X';
  struct Case {
    const char* what;
    const std::uint8_t* bytes;
    std::int32_t length;
  };
  const Case kCases[] = {
      {"null address", nullptr, 20703},     {"length 0", skin.Data(), 0},
      {"negative length", skin.Data(), -5}, {"bad magic", badMagic.data(), static_cast<std::int32_t>(badMagic.size())},
      {"truncated", skin.Data(), 100},      {"one byte short", skin.Data(), skin.Length() - 1},
  };
  for (const Case& c : kCases) EXPECT_LT(Attach()(c.bytes, c.length, "", 0, 0, 0), 0) << c.what;
  for (HWND w : {window.frame, window.edit, window.button, window.group, window.list, window.status}) {
    EXPECT_FALSE(IsRestyled(w));
  }
}

TEST(SkinPainter, RestylesExistingAndLaterWindowsWhichStayUsable) {
  TestWindow window;
  ByteBlock copy = SkinCatalogueEntry(26);
  ASSERT_EQ(Attach()(copy.Data(), copy.Length(), "", 0, 0, 0), 0);
  copy.MutableBytes()[100] ^= 0xFF;  // the library must have taken its own copy
  copy.Release();
  for (HWND w : {window.frame, window.edit, window.button, window.group, window.list, window.status}) {
    EXPECT_TRUE(IsRestyled(w));
  }
  EXPECT_FALSE(IsRestyled(window.label));  // labels are coloured by their parent

  TestWindow later;  // made after the attach on the same thread
  EXPECT_TRUE(IsRestyled(later.frame));
  EXPECT_TRUE(IsRestyled(later.button));
  EXPECT_TRUE(IsRestyled(later.list));

  ::RedrawWindow(window.frame, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();
  const ParsedSkin parsed = ParseSkin(SkinCatalogueEntry(26).Bytes());
  HDC dc = ::GetDC(window.frame);
  EXPECT_EQ(::GetPixel(dc, 400, 40), ColourOf(parsed.skin, ColourRole::kWindowBack));
  ::ReleaseDC(window.frame, dc);
  RECT statusRect{};
  ::GetClientRect(window.status, &statusRect);
  dc = ::GetDC(window.status);
  EXPECT_EQ(::GetPixel(dc, statusRect.right - 40, statusRect.bottom / 2),
            ColourOf(parsed.skin, ColourRole::kStatusBack));
  ::ReleaseDC(window.status, dc);

  // Movable by the title bar, minimisable and closable with the skin's own caption buttons.
  RECT rect{};
  ::GetWindowRect(window.frame, &rect);
  EXPECT_EQ(::SendMessageW(window.frame, WM_NCHITTEST, 0, MAKELPARAM((rect.left + rect.right) / 2, rect.top + 10)),
            HTCAPTION);
  for (const LRESULT button : {HTMINBUTTON, HTCLOSE}) {
    const POINT at = window.FindHit(button);
    ASSERT_GE(at.x, 0) << "no caption button " << button;
    ::SendMessageW(window.frame, WM_NCLBUTTONDOWN, button, MAKELPARAM(at.x, at.y));
    ::SendMessageW(window.frame, WM_NCLBUTTONUP, button, MAKELPARAM(at.x, at.y));
    Pump();
    if (button == HTMINBUTTON) {
      EXPECT_TRUE(::IsIconic(window.frame));
      ::ShowWindow(window.frame, SW_RESTORE);
      Pump();
    }
  }
  EXPECT_FALSE(::IsWindow(window.frame));
}

}  // namespace
