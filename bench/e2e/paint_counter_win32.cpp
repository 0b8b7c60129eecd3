#include "bench/e2e/paint_counter.h"

PaintCounter::PaintCounter(const std::filesystem::path& hookLibrary, DWORD thread)
    : hooks_(hookLibrary, thread, {{WH_GETMESSAGE, "CountQueuedPaints"}, {WH_CALLWNDPROC, "CountSentPaints"}}) {}

void PaintCounter::Watch(HWND window) {
  PaintCounts& counts = *counts_;
  counts.window = 0;
  counts.paints = 0;
  counts.erases = 0;
  counts.window = reinterpret_cast<LONG64>(window);
}
