#pragma once

// The skin in use and the GDI objects made from it, shared by every restyled window.
// Include after <windows.h>.

#include <array>
#include <memory>

#include "skinlib/gdi_win32.h"
#include "skinlib/skin_format.h"

class PaintKit {
 public:
  explicit PaintKit(Skin skin);

  [[nodiscard]] const Skin& skin() const { return skin_; }
  [[nodiscard]] COLORREF Colour(ColourRole role) const;
  [[nodiscard]] HBRUSH Brush(ColourRole role) const;
  [[nodiscard]] HFONT CaptionFont() const { return static_cast<HFONT>(captionFont_.get()); }

  // The colour a control's own text colour becomes: kept when it reads well on `back`, the
  // skin's accent text otherwise.
  [[nodiscard]] COLORREF ReadableOn(COLORREF text, ColourRole back) const;

 private:
  Skin skin_;
  std::array<UniqueGdiObject, kColourRoleCount> brushes_;
  UniqueGdiObject captionFont_;
};

// The kit of the last successful attach, or null before it. Windows repaint from it.
[[nodiscard]] const PaintKit* CurrentKit();
void ReplaceKit(std::unique_ptr<PaintKit> kit);

[[nodiscard]] double ContrastRatio(COLORREF a, COLORREF b);
