#include <windows.h>

#include "skinlib/paint_kit_win32.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

std::unique_ptr<PaintKit>& KitSlot() {
  static std::unique_ptr<PaintKit> kit;
  return kit;
}

double Luminance(COLORREF colour) {
  const auto channel = [](int value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(GetRValue(colour)) + 0.7152 * channel(GetGValue(colour)) +
         0.0722 * channel(GetBValue(colour));
}

}  // namespace

double ContrastRatio(COLORREF a, COLORREF b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

PaintKit::PaintKit(Skin skin) : skin_(std::move(skin)) {
  for (int i = 0; i < kColourRoleCount; ++i) {
    brushes_[i].reset(::CreateSolidBrush(Colour(static_cast<ColourRole>(i))));
  }
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
    metrics.lfCaptionFont.lfWeight = FW_BOLD;
    captionFont_.reset(::CreateFontIndirectW(&metrics.lfCaptionFont));
  }
}

COLORREF PaintKit::Colour(ColourRole role) const {
  const Rgb c = skin_.Colour(role);
  return RGB(c.r, c.g, c.b);
}

HBRUSH PaintKit::Brush(ColourRole role) const { return static_cast<HBRUSH>(brushes_[static_cast<int>(role)].get()); }

COLORREF PaintKit::ReadableOn(COLORREF text, ColourRole back) const {
  return ContrastRatio(text, Colour(back)) >= 4.5 ? text : Colour(ColourRole::kAccentText);
}

const PaintKit* CurrentKit() { return KitSlot().get(); }

void ReplaceKit(std::unique_ptr<PaintKit> kit) { KitSlot() = std::move(kit); }
