// A hook library loaded into the program under measurement: counts the WM_PAINT and WM_ERASEBKGND
// messages that reach the watched window. A list that is filled without flicker paints once.
#include <windows.h>

#include "bench/e2e/paint_counts.h"
#include "tests/e2e/shared_record.h"

namespace {

PaintCounts* Counts() {
  // Opened on first use, in the program's own thread.
  static PaintCounts* const counts = OpenSharedRecord<PaintCounts>(kPaintCountsName);
  return counts;
}

void Note(HWND window, UINT message) {
  PaintCounts* counts = Counts();
  if (counts == nullptr || counts->window != reinterpret_cast<LONG64>(window)) return;
  if (message == WM_PAINT) ::InterlockedIncrement(&counts->paints);
  if (message == WM_ERASEBKGND) ::InterlockedIncrement(&counts->erases);
}

}  // namespace

// WH_GETMESSAGE: paints that the message loop takes from the queue.
extern "C" __declspec(dllexport) LRESULT CALLBACK CountQueuedPaints(int code, WPARAM removal, LPARAM message) {
  if (code == HC_ACTION && removal == PM_REMOVE) {
    const MSG& m = *reinterpret_cast<const MSG*>(message);
    Note(m.hwnd, m.message);
  }
  return ::CallNextHookEx(nullptr, code, removal, message);
}

// WH_CALLWNDPROC: paints forced by UpdateWindow and the erasures that BeginPaint sends.
extern "C" __declspec(dllexport) LRESULT CALLBACK CountSentPaints(int code, WPARAM fromThisThread, LPARAM message) {
  if (code == HC_ACTION) {
    const CWPSTRUCT& m = *reinterpret_cast<const CWPSTRUCT*>(message);
    Note(m.hwnd, m.message);
  }
  return ::CallNextHookEx(nullptr, code, fromThisThread, message);
}
