#pragma once

// The counters that the paint-count hook keeps for one watched window. They live in a named
// shared mapping, so the hook inside the watched program writes them and the benchmark reads them.

#include <windows.h>

#include <cstdint>

inline constexpr wchar_t kPaintCountsName[] = L"Local\\QuelvaneBenchPaintCounts";

struct PaintCounts {
  volatile LONG64 window;  // the watched window's handle; the hook counts nothing for others
  volatile LONG paints;    // WM_PAINT handed to the window, from the queue or sent
  volatile LONG erases;    // WM_ERASEBKGND sent to the window
};
