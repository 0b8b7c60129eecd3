#pragma once

// What a running program holds, read from outside: the figures that grow when it leaks.

#include <windows.h>

#include <cstddef>
#include <string>

struct ProcessFigures {
  // GetProcessMemoryInfo. Wine fills the working set for another process but not its private
  // usage, and gives 0 for the handle and GDI/USER counts: the window count stands in for those.
  std::size_t privateBytes = 0;
  std::size_t workingSetBytes = 0;
  DWORD handles = 0;     // kernel handles (GetProcessHandleCount)
  DWORD gdiObjects = 0;  // GetGuiResources
  DWORD userObjects = 0;
  std::size_t windows = 0;  // its windows, top-level and child, counted one by one
};

ProcessFigures FiguresOf(HANDLE process, DWORD processId);
std::string Describe(const ProcessFigures& figures);
