#pragma once

// Counts the paints of one window of another program: puts the paint-count hook library into
// that window's thread and reads the counters it keeps.

#include <windows.h>

#include <filesystem>

#include "bench/e2e/paint_counts.h"
#include "tests/e2e/win32_basics.h"

class PaintCounter {
 public:
  // `hookLibrary` is the hook library's file; `thread` the thread that owns the watched window.
  PaintCounter(const std::filesystem::path& hookLibrary, DWORD thread);
  PaintCounter(const PaintCounter&) = delete;
  PaintCounter& operator=(const PaintCounter&) = delete;

  // Counts from zero, for `window` only.
  void Watch(HWND window);
  [[nodiscard]] long Paints() const { return counts_.get()->paints; }
  [[nodiscard]] long Erases() const { return counts_.get()->erases; }

 private:
  struct ViewTraits {
    using Handle = PaintCounts*;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::UnmapViewOfFile(h); }
  };
  struct LibraryTraits {
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::FreeLibrary(h); }
  };
  struct HookTraits {
    using Handle = HHOOK;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::UnhookWindowsHookEx(h); }
  };

  UniqueHandle mapping_;
  Unique<ViewTraits> counts_;
  Unique<LibraryTraits> library_;
  Unique<HookTraits> queued_;
  Unique<HookTraits> sent_;
};
