#include "tests/load/process_figures.h"

// clang-format off
#include <windows.h>
#include <psapi.h>
// clang-format on

#include <cstdio>

namespace {

struct WindowCount {
  DWORD processId;
  std::size_t count = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM state) {
  ++reinterpret_cast<WindowCount*>(state)->count;
  return TRUE;
}

BOOL CALLBACK CountTop(HWND window, LPARAM state) {
  auto* counting = reinterpret_cast<WindowCount*>(state);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner == counting->processId) {
    ++counting->count;
    ::EnumChildWindows(window, CountChild, state);
  }
  return TRUE;
}

}  // namespace

ProcessFigures FiguresOf(HANDLE process, DWORD processId) {
  ProcessFigures figures;
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
    figures.privateBytes = memory.PrivateUsage;
    figures.workingSetBytes = memory.WorkingSetSize;
  }
  ::GetProcessHandleCount(process, &figures.handles);
  figures.gdiObjects = ::GetGuiResources(process, GR_GDIOBJECTS);
  figures.userObjects = ::GetGuiResources(process, GR_USEROBJECTS);
  WindowCount counting{processId};
  ::EnumWindows(CountTop, reinterpret_cast<LPARAM>(&counting));
  figures.windows = counting.count;
  return figures;
}

std::string Describe(const ProcessFigures& figures) {
  char text[240];
  std::snprintf(text, sizeof text,
                "private %zu KiB, working set %zu KiB, %lu handles, %lu GDI objects, %lu USER objects, %zu windows",
                figures.privateBytes / 1024, figures.workingSetBytes / 1024,
                static_cast<unsigned long>(figures.handles), static_cast<unsigned long>(figures.gdiObjects),
                static_cast<unsigned long>(figures.userObjects), figures.windows);
  return text;
}
