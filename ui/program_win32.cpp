#include "ui/program_win32.h"

#include <windows.h>

#include <ole2.h>

#include "skin/skin_library.h"
#include "ui/main_window_win32.h"
#include "ui/run_directory.h"

namespace {

// OLE for this thread, a single-threaded apartment: drag-and-drop calls arrive on it.
class OleSession {
 public:
  OleSession() : initialised_(SUCCEEDED(::OleInitialize(nullptr))) {}
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;
  ~OleSession() {
    if (initialised_) ::OleUninitialize();
  }

 private:
  bool initialised_;
};

// Runs the exit step once when the run ends normally, after the window is gone. A fatal end
// leaves the process without unwinding, so the step does not run then.
class ExitStep {
 public:
  explicit ExitStep(Workspace& workspace) : workspace_(workspace) {}
  ExitStep(const ExitStep&) = delete;
  ExitStep& operator=(const ExitStep&) = delete;
  ~ExitStep() { ReleaseImageAtExit(workspace_); }

 private:
  Workspace& workspace_;
};

int RunMessageLoop(MainWindow& window) {
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (window.HandleKey(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

std::string FindRunDirectory() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);  // cut short: a longer path than the usual limit
  }
  return RunDirectoryOf(path);
}

void ReleaseImageAtExit(Workspace& workspace) { workspace.image.Release(); }

int RunQuelvane(std::int32_t skinNumber) {
  const OleSession ole;
  const std::string runDirectory = FindRunDirectory();
  // With its backslash: "C:" alone would name the drive's current folder, not its root.
  if (!runDirectory.empty()) ::SetCurrentDirectoryA((runDirectory + "\\").c_str());
  Workspace workspace;
  SkinLibrary skinLibrary(runDirectory);  // released after the exit step, once the window is gone
  const ExitStep exitStep(workspace);
  MainWindow window(workspace);
  const auto OnMainWindowCreated = [&](MainWindow& created) {
    RegisterDropTarget(created.DropTargetComponent(), created.Handle());  // refused: the window takes no drops
    skinLibrary.ApplySkin(skinNumber);
  };
  if (!window.Create(OnMainWindowCreated)) return 1;
  return RunMessageLoop(window);
}
