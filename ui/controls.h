#pragma once

// The main window described as data: every control once, with its kind, parent, place, size,
// text and styles. The window is built from this table by a loop; nothing else in the program
// knows a control's place.

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <cstddef>

// Child-window ids. The two components have ids for the table only; they are not windows.
enum class Ctl : int {
  MainWindow = 0,
  标签1 = 100,
  编辑框1,
  按钮1,
  超级列表框1,
  分组框1,
  标签2,
  编辑框2,
  标签3,
  编辑框3,
  按钮3,
  按钮2,
  标签5,
  状态条1,
  通用对话框1,
  拖放对象1,
};

enum class ControlKind { Label, Edit, Button, GroupBox, ListView, StatusBar, SaveDialog, DropTarget };

struct Box {
  int x, y, w, h;
};

struct ControlDef {
  ControlKind kind;
  Ctl id;
  Ctl parent;
  Box box;  // in the parent's client area
  const char8_t* text;
  DWORD style;
  DWORD exStyle;
};

inline constexpr wchar_t kMainWindowClass[] = L"QuelvaneMainWindow";
inline constexpr char8_t kMainWindowCaption[] = u8"Quelvane";
inline constexpr int kMainWindowWidth = 619;  // outer size, frame and title bar included
inline constexpr int kMainWindowHeight = 415;
inline constexpr DWORD kMainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
inline constexpr DWORD kMainWindowExStyle = WS_EX_TOPMOST | WS_EX_APPWINDOW;

inline constexpr char8_t kTutorialText[] =
    u8"使用教程：\r\n①.首先把软件拖进这个软件里面或者右键注入这个软件\r\n\r\n②."
    u8"然后在要改的原名那里的框打上你要修改的软件的原"
    u8"\r\n   内容\r\n\r\n③.点击查找再到要修改的内容的框里面打上你要改的内\r\n   "
    u8"容点击保存\r\n\r\n④.点击保存文件就可以了";

inline constexpr COLORREF kTutorialColour = RGB(0, 0, 255);
inline constexpr int kStatusPartRightEdge = 3000;  // far beyond the window, so the one part spans the bar

inline constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
inline constexpr DWORD kLabel = kChild | SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE;  // one line, centred vertically
inline constexpr DWORD kTutorialLabel = kChild | SS_LEFT | SS_NOPREFIX;           // wraps, starts top-left
inline constexpr DWORD kSearchEdit =
    kChild | WS_TABSTOP | WS_VSCROLL | ES_LEFT | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
inline constexpr DWORD kLineEdit = kChild | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
inline constexpr DWORD kPushButton = kChild | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE;
inline constexpr DWORD kGroupBox = kChild | BS_GROUPBOX;
inline constexpr DWORD kResultsList = kChild | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDATA;
inline constexpr DWORD kResultsListExtras = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER;
inline constexpr DWORD kStatusBar = kChild | CCS_BOTTOM;  // no size grip: the frame is fixed

// In creation order, which is also the order the controls are stacked in.
inline constexpr ControlDef kMainControls[] = {
    {ControlKind::Label, Ctl::标签1, Ctl::MainWindow, {8, 24, 112, 24}, u8"要改的软件信息原名", kLabel, 0},
    {ControlKind::Edit, Ctl::编辑框1, Ctl::MainWindow, {128, 16, 336, 48}, u8"", kSearchEdit, WS_EX_CLIENTEDGE},
    {ControlKind::Button, Ctl::按钮1, Ctl::MainWindow, {472, 24, 72, 32}, u8"寻找", kPushButton, 0},
    {ControlKind::ListView, Ctl::超级列表框1, Ctl::MainWindow, {8, 80, 596, 144}, u8"", kResultsList, WS_EX_CLIENTEDGE},
    {ControlKind::GroupBox, Ctl::分组框1, Ctl::MainWindow, {8, 224, 296, 128}, u8"修改选项", kGroupBox, 0},
    {ControlKind::Label, Ctl::标签2, Ctl::分组框1, {48, 32, 32, 16}, u8"位置", kLabel, 0},
    {ControlKind::Edit, Ctl::编辑框2, Ctl::分组框1, {88, 24, 136, 24}, u8"", kLineEdit, WS_EX_CLIENTEDGE},
    {ControlKind::Label, Ctl::标签3, Ctl::分组框1, {8, 80, 72, 16}, u8"要修改的内容", kLabel, 0},
    {ControlKind::Edit, Ctl::编辑框3, Ctl::分组框1, {88, 64, 136, 48}, u8"", kLineEdit, WS_EX_CLIENTEDGE},
    {ControlKind::Button, Ctl::按钮3, Ctl::分组框1, {232, 32, 56, 24}, u8"保存文件", kPushButton, 0},
    {ControlKind::Button, Ctl::按钮2, Ctl::分组框1, {232, 72, 56, 24}, u8"修改", kPushButton, 0},
    {ControlKind::Label, Ctl::标签5, Ctl::MainWindow, {312, 232, 304, 128}, kTutorialText, kTutorialLabel, 0},
    {ControlKind::StatusBar, Ctl::状态条1, Ctl::MainWindow, {0, 0, 0, 0}, u8"", kStatusBar, 0},
    {ControlKind::SaveDialog, Ctl::通用对话框1, Ctl::MainWindow, {0, 0, 0, 0}, u8"", 0, 0},
    {ControlKind::DropTarget, Ctl::拖放对象1, Ctl::MainWindow, {0, 0, 0, 0}, u8"", 0, 0},
};

inline constexpr std::size_t kControlCount = std::size(kMainControls);

struct ListColumn {
  const char8_t* title;
  int width;
};
inline constexpr ListColumn kResultColumns[] = {{u8"编号", 50}, {u8"寻找名称", 300}, {u8"位置", 240}};
inline constexpr int kPositionColumn = 2;

// Where Tab goes next; Shift+Tab walks it backwards. Nothing else takes the focus.
inline constexpr std::array kTabCycle = {Ctl::编辑框1, Ctl::按钮1, Ctl::超级列表框1, Ctl::编辑框2,
                                         Ctl::编辑框3, Ctl::按钮2, Ctl::按钮3};
