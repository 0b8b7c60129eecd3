#pragma once

// Owners for the GDI objects and device contexts the painter makes. Include after <windows.h>.

#include "core/win32/unique.h"

struct GdiObjectTraits {
  using Handle = HGDIOBJ;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ::DeleteObject(h); }
};
using UniqueGdiObject = Unique<GdiObjectTraits>;

struct MemoryDcTraits {
  using Handle = HDC;
  static Handle Invalid() { return nullptr; }
  static void Close(Handle h) { ::DeleteDC(h); }
};
using UniqueMemoryDc = Unique<MemoryDcTraits>;

// A window's device context from GetDC / GetWindowDC, given back on destruction.
class WindowDc {
 public:
  WindowDc(HWND window, HDC dc) : window_(window), dc_(dc) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_ != nullptr) ::ReleaseDC(window_, dc_);
  }
  [[nodiscard]] HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Selects an object into a DC for one scope and puts the previous one back.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  ~Selection() { ::SelectObject(dc_, previous_); }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Paints into an off-screen bitmap of `size` and copies it to `target` at `origin` at the end,
// so a part is never seen half drawn.
class BufferedPaint {
 public:
  BufferedPaint(HDC target, POINT origin, SIZE size)
      : target_(target),
        origin_(origin),
        size_(size),
        dc_(::CreateCompatibleDC(target)),
        bitmap_(::CreateCompatibleBitmap(target, size.cx, size.cy)),
        selection_(dc_.get(), bitmap_.get()) {}
  ~BufferedPaint() {
    if (dc_ && bitmap_) ::BitBlt(target_, origin_.x, origin_.y, size_.cx, size_.cy, dc_.get(), 0, 0, SRCCOPY);
  }
  [[nodiscard]] bool ok() const { return dc_ && bitmap_; }
  [[nodiscard]] HDC dc() const { return dc_.get(); }

 private:
  HDC target_;
  POINT origin_;
  SIZE size_;
  UniqueMemoryDc dc_;
  UniqueGdiObject bitmap_;
  Selection selection_;
};
