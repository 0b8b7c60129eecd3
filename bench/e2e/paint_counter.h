#pragma once

// Counts the paints of one window of another program: puts the paint-count hook library into
// that window's thread and reads the counters it keeps.

#include <windows.h>

#include <filesystem>

#include "bench/e2e/paint_counts.h"
#include "tests/e2e/shared_record.h"
#include "tests/e2e/thread_hooks.h"

class PaintCounter {
 public:
  // `hookLibrary` is the hook library's file; `thread` the thread that owns the watched window.
  PaintCounter(const std::filesystem::path& hookLibrary, DWORD thread);

  // Counts from zero, for `window` only.
  void Watch(HWND window);
  [[nodiscard]] long Paints() const { return counts_->paints; }
  [[nodiscard]] long Erases() const { return counts_->erases; }

 private:
  SharedRecord<PaintCounts> counts_{kPaintCountsName};  // made before the hooks can look for it
  ThreadHooks hooks_;
};
