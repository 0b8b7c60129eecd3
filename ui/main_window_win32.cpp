#include "ui/main_window_win32.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

#include "resources/resource_ids.h"
#include "ui/bindings_win32.h"
#include "ui/control_behaviour_win32.h"
#include "ui/out_of_memory_win32.h"
#include "ui/text_win32.h"

namespace {

const wchar_t* ClassNameOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label:
      return L"Static";
    case ControlKind::Edit:
      return L"Edit";
    case ControlKind::Button:
    case ControlKind::GroupBox:
      return L"Button";
    case ControlKind::ListView:
      return WC_LISTVIEWW;
    case ControlKind::StatusBar:
      return STATUSCLASSNAMEW;
    case ControlKind::SaveDialog:
    case ControlKind::DropTarget:
      break;
  }
  return nullptr;
}

constexpr bool IsWindowKind(ControlKind kind) {
  return kind != ControlKind::SaveDialog && kind != ControlKind::DropTarget;
}

std::size_t IndexOf(Ctl id) { return static_cast<std::size_t>(static_cast<int>(id) - static_cast<int>(Ctl::标签1)); }

// A row gains the current-row (focus) state it did not have: a click on another row, or a move
// with the keyboard. Selection-only changes and a second click on the current row do not count.
bool IsNewCurrentRow(const NMLISTVIEW& change) {
  return change.iItem >= 0 && (change.uChanged & LVIF_STATE) != 0 && (change.uNewState & LVIS_FOCUSED) != 0 &&
         (change.uOldState & LVIS_FOCUSED) == 0;
}

bool RegisterMainWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (::GetClassInfoExW(instance, kMainWindowClass, &windowClass)) return true;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon =
      static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUELVANE), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE));
  windowClass.hIconSm =
      static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDI_QUELVANE), IMAGE_ICON,
                                      ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
  windowClass.lpszClassName = kMainWindowClass;
  return ::RegisterClassExW(&windowClass) != 0;
}

}  // namespace

MainWindow::MainWindow(Workspace& workspace)
    : workspace_(workspace),
      dropTarget_(
          DropTarget::Create([this](std::string_view text) { Raise(Ctl::拖放对象1, Event::FilesDropped, text); })) {}

MainWindow::~MainWindow() {
  if (window_ != nullptr) ::DestroyWindow(window_);
}

bool MainWindow::Create(const CreatedHandler& onCreated) {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  INITCOMMONCONTROLSEX commonControls{sizeof commonControls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&commonControls);
  if (!RegisterMainWindowClass(instance, WindowProc)) return false;
  // Centred on the screen by integer division; the outer size includes frame and title bar.
  const int left = (::GetSystemMetrics(SM_CXSCREEN) - kMainWindowWidth) / 2;
  const int top = (::GetSystemMetrics(SM_CYSCREEN) - kMainWindowHeight) / 2;
  const HWND window = ::CreateWindowExW(kMainWindowExStyle, kMainWindowClass, WideFromUtf8(kMainWindowCaption).c_str(),
                                        kMainWindowStyle, left, top, kMainWindowWidth, kMainWindowHeight, nullptr,
                                        nullptr, instance, this);
  if (window == nullptr) return false;
  if (onCreated) onCreated(*this);
  ::ShowWindow(window_, SW_SHOW);
  ::UpdateWindow(window_);
  ::SetFocus(Control(Ctl::编辑框1));
  return true;
}

HWND MainWindow::Control(Ctl id) const noexcept {
  if (id == Ctl::MainWindow) return window_;
  return controls_[IndexOf(id)];
}

std::string MainWindow::AnsiText(Ctl id) const { return WindowAnsiText(Control(id)); }

void MainWindow::SetText(Ctl id, std::string_view ansiText) { SetWindowAnsiText(Control(id), ansiText); }

std::int32_t MainWindow::SelectedRowIndex() const {
  return static_cast<std::int32_t>(ListView_GetNextItem(Control(Ctl::超级列表框1), -1, LVNI_SELECTED));
}

std::string MainWindow::CellText(std::int32_t row, std::int32_t column) const {
  const ResultRow* cells = workspace_.results.RowAt(row);
  if (cells == nullptr) return {};
  switch (column) {
    case 0:
      return cells->number;
    case 1:
      return cells->searchName;
    case 2:
      return cells->position;
    default:
      return {};
  }
}

bool MainWindow::HandleKey(const MSG& message) { return HandleKey(message, (::GetKeyState(VK_SHIFT) & 0x8000) != 0); }

bool MainWindow::HandleKey(const MSG& message, bool shiftDown) {
  if (message.message != WM_KEYDOWN || window_ == nullptr) return false;
  if (message.hwnd != window_ && !::IsChild(window_, message.hwnd)) return false;
  switch (message.wParam) {
    case VK_TAB:
      MoveFocus(shiftDown ? -1 : 1);
      return true;
    case VK_ESCAPE:
      ::SendMessageW(window_, WM_CLOSE, 0, 0);  // as the close button: no question, nothing saved
      return true;
    case VK_RETURN:
      return message.hwnd != Control(Ctl::编辑框1);  // only the search text takes a line break
    default:
      return false;
  }
}

void MainWindow::MoveFocus(int step) {
  const HWND focus = ::GetFocus();
  const auto cycleLength = static_cast<int>(kTabCycle.size());
  const auto current = std::ranges::find_if(kTabCycle, [&](Ctl id) { return Control(id) == focus; });
  // From outside the cycle, Tab starts at its first control and Shift+Tab at its last.
  const int from = current != kTabCycle.end() ? static_cast<int>(current - kTabCycle.begin()) : (step > 0 ? -1 : 0);
  const Ctl next = kTabCycle[static_cast<std::size_t>((from + step + cycleLength) % cycleLength)];
  ::SetFocus(Control(next));
  if (std::ranges::find(kMainControls, next, &ControlDef::id)->kind == ControlKind::Edit)
    ::SendMessageW(Control(next), EM_SETSEL, 0, -1);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    self->controls_ = {};
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  return self->Route(message, wParam, lParam);
}

LRESULT MainWindow::Route(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateControls();
      return 0;
    case WM_COMMAND:
      if (lParam != 0 && HIWORD(wParam) == BN_CLICKED) Raise(static_cast<Ctl>(LOWORD(wParam)), Event::Clicked);
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CTLCOLORSTATIC:
      return OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SIZE:
      ::SendMessageW(Control(Ctl::状态条1), WM_SIZE, 0, 0);  // the bar docks itself to the bottom edge
      return 0;
    case WM_ACTIVATE:
      OnActivate(wParam);
      break;
    case WM_SETFOCUS:
      OnFocus();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
  }
  return ::DefWindowProcW(window_, message, wParam, lParam);
}

void MainWindow::CreateControls() {
  const HINSTANCE instance = ::GetModuleHandleW(nullptr);
  const auto font = reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT));
  for (const ControlDef& def : kMainControls) {
    if (!IsWindowKind(def.kind)) continue;
    const HWND control = ::CreateWindowExW(def.exStyle, ClassNameOf(def.kind), WideFromUtf8(def.text).c_str(),
                                           def.style, def.box.x, def.box.y, def.box.w, def.box.h, Control(def.parent),
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(def.id)), instance, nullptr);
    controls_[IndexOf(def.id)] = control;
    ::SendMessageW(control, WM_SETFONT, font, FALSE);
  }
  ForwardChildMessages(Control(Ctl::分组框1), window_);
  for (const Ctl edit : {Ctl::编辑框1, Ctl::编辑框2, Ctl::编辑框3}) {
    ::SendMessageW(Control(edit), EM_LIMITTEXT, 0, 0);  // no limit of the box's own
  }
  FilterPositionChars(Control(Ctl::编辑框2));
  CentreSingleLine(Control(Ctl::编辑框3));
  SetUpResultsList(Control(Ctl::超级列表框1));
  SetUpStatusBar(Control(Ctl::状态条1));
}

void MainWindow::SetUpResultsList(HWND list) {
  ListView_SetExtendedListViewStyle(list, kResultsListExtras);
  for (int column = 0; column < static_cast<int>(std::size(kResultColumns)); ++column) {
    std::wstring title = WideFromUtf8(kResultColumns[column].title);
    LVCOLUMNW def{};
    def.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    def.fmt = LVCFMT_LEFT;
    def.cx = kResultColumns[column].width;
    def.pszText = title.data();
    def.iSubItem = column;
    ListView_InsertColumn(list, column, &def);
  }
  workspace_.results.SetObserver(this);
  ShowRowCount();
}

void MainWindow::SetUpStatusBar(HWND statusBar) {
  int rightEdges[] = {kStatusPartRightEdge};
  ::SendMessageW(statusBar, SB_SETPARTS, std::size(rightEdges), reinterpret_cast<LPARAM>(rightEdges));
  workspace_.status.SetObserver([this](std::u8string_view text) { ShowStatus(text); });
  ShowStatus(workspace_.status.Text());
}

void MainWindow::ShowStatus(std::u8string_view text) {
  const HWND statusBar = Control(Ctl::状态条1);
  ::SendMessageW(statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(WideFromUtf8(text).c_str()));
  // Shown at once, also while a long read or save keeps the window from painting.
  ::UpdateWindow(statusBar);
}

void MainWindow::OnRowsCleared() {
  listChangedByProgram_ = true;
  ListView_DeleteAllItems(Control(Ctl::超级列表框1));
  listChangedByProgram_ = false;
}

void MainWindow::OnRowAppended(std::int32_t) {
  // The list is virtual: it only needs the new length. Within a handler the length is given once
  // when the handler is done, as one change per row costs a list update each (tens of
  // milliseconds a row under Wine).
  if (handlerDepth_ == 0) ShowRowCount();
}

void MainWindow::ShowRowCount() {
  const HWND list = Control(Ctl::超级列表框1);
  const int count = workspace_.results.Count();
  if (ListView_GetItemCount(list) == count) return;
  listChangedByProgram_ = true;
  ListView_SetItemCountEx(list, count, LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
  listChangedByProgram_ = false;
}

void MainWindow::Raise(Ctl source, Event event, std::string_view eventText) {
  for (const Binding& binding : kBindings) {
    if (binding.source != source || binding.event != event) continue;
    ++handlerDepth_;
    try {
      binding.handler(*this, eventText);
    } catch (const BlockAllocationError& error) {
      ReportOutOfMemory(error.ByteCount());
    } catch (const std::bad_alloc&) {
      ReportOutOfMemory(0);
    }
    --handlerDepth_;
    if (handlerDepth_ == 0 && window_ != nullptr) ShowRowCount();
  }
}

LRESULT MainWindow::OnNotify(const NMHDR& header) {
  if (header.hwndFrom != Control(Ctl::超级列表框1)) return 0;
  switch (header.code) {
    case LVN_GETDISPINFOW:
      FillCell(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header)));
      return 0;
    case LVN_ITEMCHANGED:
      if (!listChangedByProgram_ && IsNewCurrentRow(reinterpret_cast<const NMLISTVIEW&>(header)))
        Raise(Ctl::超级列表框1, Event::CurrentRowChanged);
      return 0;
  }
  return 0;
}

void MainWindow::FillCell(NMLVDISPINFOW& request) const {
  LVITEMW& item = request.item;
  if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0) return;
  const std::wstring text = WideFromAnsi(CellText(item.iItem, item.iSubItem));
  const std::size_t length = std::min(text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
  std::copy_n(text.data(), length, item.pszText);
  item.pszText[length] = L'\0';
}

LRESULT MainWindow::OnControlColour(HDC dc, HWND control) {
  // Labels are drawn over the 3D face colour, the window's own background.
  ::SetBkColor(dc, ::GetSysColor(COLOR_3DFACE));
  ::SetTextColor(dc, control == Control(Ctl::标签5) ? kTutorialColour : ::GetSysColor(COLOR_WINDOWTEXT));
  return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_3DFACE));
}

void MainWindow::OnActivate(WPARAM state) {
  if (LOWORD(state) != WA_INACTIVE) return;
  const HWND focus = ::GetFocus();
  if (focus != nullptr && ::IsChild(window_, focus)) lastFocus_ = focus;
}

void MainWindow::OnFocus() {
  // Back in the control that had the focus when the window was left; at first 编辑框1.
  ::SetFocus(lastFocus_ != nullptr ? lastFocus_ : Control(Ctl::编辑框1));
}

void MainWindow::OnDestroy() {
  dropTarget_->Revoke();
  workspace_.results.SetObserver(nullptr);
  workspace_.status.SetObserver(nullptr);
  ::PostQuitMessage(0);
}
