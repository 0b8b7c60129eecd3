#pragma once

// MainWindow: the program's one window, built from the control table, showing the workspace's
// result rows and status text, and routing every user action through the bindings table.

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/workspace.h"
#include "ui/com_ref.h"
#include "ui/controls.h"
#include "ui/drop_target_win32.h"
#include "ui/save_dialog_win32.h"

enum class Event { Clicked, CurrentRowChanged, FilesDropped };

class MainWindow final : private ResultListObserver {
 public:
  using CreatedHandler = std::function<void(MainWindow&)>;

  explicit MainWindow(Workspace& workspace);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window and all its controls, runs `onCreated` once they exist, then shows the
  // window with the focus in 编辑框1. False when the window cannot be created.
  bool Create(const CreatedHandler& onCreated);

  // Keys the window takes before any control sees them: Tab and Shift+Tab walk the tab cycle,
  // Esc closes the window, Enter does nothing outside 编辑框1. True when the key was taken.
  bool HandleKey(const MSG& message);
  bool HandleKey(const MSG& message, bool shiftDown);

  [[nodiscard]] HWND Handle() const noexcept { return window_; }
  [[nodiscard]] HWND Control(Ctl id) const noexcept;
  [[nodiscard]] Workspace& Work() noexcept { return workspace_; }
  [[nodiscard]] SaveFileDialog& SaveDialog() noexcept { return saveDialog_; }
  [[nodiscard]] DropTarget& DropTargetComponent() noexcept { return *dropTarget_; }

  // The control's whole text as ANSI bytes, and its replacement.
  [[nodiscard]] std::string AnsiText(Ctl id) const;
  void SetText(Ctl id, std::string_view ansiText);

  // The 0-based index of the selected row of 超级列表框1, -1 when none is selected.
  [[nodiscard]] std::int32_t SelectedRowIndex() const;
  // A cell of 超级列表框1; the empty text when the row or column does not exist.
  [[nodiscard]] std::string CellText(std::int32_t row, std::int32_t column) const;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Route(UINT message, WPARAM wParam, LPARAM lParam);

  void CreateControls();
  void SetUpResultsList(HWND list);
  void SetUpStatusBar(HWND statusBar);
  void Raise(Ctl source, Event event, std::string_view eventText = {});
  LRESULT OnNotify(const NMHDR& header);
  void FillCell(NMLVDISPINFOW& request) const;
  LRESULT OnControlColour(HDC dc, HWND control);
  void OnActivate(WPARAM state);
  void OnFocus();
  void OnDestroy();
  void MoveFocus(int step);
  void ShowStatus(std::u8string_view text);
  void ShowRowCount();

  void OnRowsCleared() override;
  void OnRowAppended(std::int32_t index) override;

  Workspace& workspace_;
  HWND window_ = nullptr;
  std::array<HWND, kControlCount> controls_{};
  HWND lastFocus_ = nullptr;
  int handlerDepth_ = 0;               // handlers running; rows appended meanwhile are shown at the end
  bool listChangedByProgram_ = false;  // rows removed or appended: no row becomes current by that
  SaveFileDialog saveDialog_;
  ComRef<DropTarget> dropTarget_;
};
