#include "bench/e2e/paint_counter.h"

#include <stdexcept>

namespace {

HOOKPROC HookProcedure(HMODULE library, const char* name) {
  // FARPROC names no signature: go through the generic function pointer type to the real one.
  const auto found = reinterpret_cast<void (*)()>(::GetProcAddress(library, name));
  return reinterpret_cast<HOOKPROC>(found);
}

}  // namespace

PaintCounter::PaintCounter(const std::filesystem::path& hookLibrary, DWORD thread)
    : mapping_(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(PaintCounts),
                                    kPaintCountsName)) {
  if (!mapping_) throw std::runtime_error("cannot make the shared paint counters");
  counts_.reset(static_cast<PaintCounts*>(::MapViewOfFile(mapping_.get(), FILE_MAP_WRITE, 0, 0, sizeof(PaintCounts))));
  if (!counts_) throw std::runtime_error("cannot map the shared paint counters");
  library_.reset(::LoadLibraryW(hookLibrary.c_str()));
  if (!library_) throw std::runtime_error("cannot load the paint-count hook library");
  const HOOKPROC queued = HookProcedure(library_.get(), "CountQueuedPaints");
  const HOOKPROC sent = HookProcedure(library_.get(), "CountSentPaints");
  if (queued == nullptr || sent == nullptr) throw std::runtime_error("the hook library lacks its procedures");
  queued_.reset(::SetWindowsHookExW(WH_GETMESSAGE, queued, library_.get(), thread));
  sent_.reset(::SetWindowsHookExW(WH_CALLWNDPROC, sent, library_.get(), thread));
  if (!queued_ || !sent_) throw std::runtime_error("cannot hook the watched thread");
}

void PaintCounter::Watch(HWND window) {
  PaintCounts& counts = *counts_.get();
  counts.window = 0;
  counts.paints = 0;
  counts.erases = 0;
  counts.window = reinterpret_cast<LONG64>(window);
}
