#pragma once

// What a running program holds: the figures that grow when it leaks. The probe library measures
// them inside the program and leaves them in a shared record for the driver to read.
//
// The system's own counters come first. Wine answers 0 for private usage, the handle count and
// the GDI and USER counts, so each has a second figure counted one by one beside it.

#include <windows.h>

#include <cstdint>

inline constexpr wchar_t kResourceFiguresName[] = L"Local\\QuelvaneResourceFigures";
// Sent to a window of the probed thread: the probe measures before the window sees it.
inline constexpr wchar_t kMeasureMessageName[] = L"QuelvaneMeasureResources";

struct ResourceFigures {
  // GetProcessMemoryInfo, GetProcessHandleCount, GetGuiResources.
  std::uint64_t privateUsage;
  std::uint64_t workingSet;
  DWORD handleCount;
  DWORD gdiCount;
  DWORD userCount;
  // Counted: committed private memory, region by region; the process's kernel handles as the
  // system lists them, and among them the keys that Wine's save dialog leaves open; live GDI
  // objects; its windows (top-level, child and message-only), menus and icons or cursors.
  std::uint64_t privateCommitted;
  DWORD handlesListed;
  DWORD dialogMemoryKeys;
  DWORD gdiObjects;
  DWORD windows;
  DWORD menus;
  DWORD icons;
  // Raised by one after every measurement, so the driver knows that one took place.
  LONG measurements;
};

// Measures the calling process; the probe runs it on the program's window thread.
void MeasureThisProcess(ResourceFigures& figures);
