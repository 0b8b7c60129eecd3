#include <windows.h>

#include "skinlib/frame_paint_win32.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

// The frame's parts in window coordinates, derived from where the system put the client area.
struct FrameLayout {
  SIZE window{};
  RECT client{};   // the client area inside the window
  RECT caption{};  // the title bar
  std::vector<std::pair<CaptionButton, RECT>> buttons;
};

FrameLayout LayoutOf(HWND window) {
  FrameLayout layout;
  RECT windowRect{};
  ::GetWindowRect(window, &windowRect);
  layout.window = {windowRect.right - windowRect.left, windowRect.bottom - windowRect.top};
  RECT client{};
  ::GetClientRect(window, &client);
  ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  ::OffsetRect(&client, -windowRect.left, -windowRect.top);
  layout.client = client;

  const int border = client.left;
  const int captionHeight = ::GetSystemMetrics(SM_CYCAPTION);
  layout.caption = {border, border, layout.window.cx - border, std::min<LONG>(border + captionHeight, client.top)};

  const LONG style = ::GetWindowLongW(window, GWL_STYLE);
  const int side = std::max(8, static_cast<int>(layout.caption.bottom - layout.caption.top) - 4);
  int right = layout.caption.right - 2;
  const auto add = [&](CaptionButton button) {
    const int top = layout.caption.top + (layout.caption.bottom - layout.caption.top - side) / 2;
    layout.buttons.push_back({button, RECT{right - side, top, right, top + side}});
    right -= side + 2;
  };
  if ((style & WS_SYSMENU) != 0) {
    add(CaptionButton::kClose);
    if ((style & WS_MAXIMIZEBOX) != 0) add(CaptionButton::kMaximise);
    if ((style & WS_MINIMIZEBOX) != 0) add(CaptionButton::kMinimise);
  }
  return layout;
}

void DrawGlyph(HDC dc, CaptionButton button, const RECT& box, COLORREF colour, int weight, bool zoomed) {
  UniqueGdiObject pen(::CreatePen(PS_SOLID, weight, colour));
  Selection choice(dc, pen.get());
  Selection hollow(dc, ::GetStockObject(NULL_BRUSH));
  const int size = (box.right - box.left) * 2 / 5;
  const int left = (box.left + box.right - size) / 2, top = (box.top + box.bottom - size) / 2;
  switch (button) {
    case CaptionButton::kClose:
      ::MoveToEx(dc, left, top, nullptr);
      ::LineTo(dc, left + size, top + size);
      ::MoveToEx(dc, left + size - 1, top, nullptr);
      ::LineTo(dc, left - 1, top + size);
      break;
    case CaptionButton::kMinimise:
      ::MoveToEx(dc, left, top + size - 1, nullptr);
      ::LineTo(dc, left + size, top + size - 1);
      break;
    case CaptionButton::kMaximise:
      if (zoomed) {
        ::Rectangle(dc, left, top + 2, left + size - 2, top + size);
        ::MoveToEx(dc, left + 2, top + 2, nullptr);
        ::LineTo(dc, left + 2, top);
        ::LineTo(dc, left + size, top);
        ::LineTo(dc, left + size, top + size - 2);
      } else {
        ::Rectangle(dc, left, top, left + size + 1, top + size + 1);
      }
      break;
    case CaptionButton::kNone:
      break;
  }
}

void DrawCaptionButton(const PaintKit& kit, HDC dc, CaptionButton button, const RECT& box, const FrameState& state,
                       bool zoomed) {
  const auto& metrics = kit.skin().metrics;
  const bool hot = state.hot == button || state.pressed == button;
  const ColourRole face =
      hot && button == CaptionButton::kClose ? ColourRole::kCaptionButtonHot : ColourRole::kCaptionButtonFace;
  COLORREF faceColour = kit.Colour(face);
  if (hot && button != CaptionButton::kClose) {
    faceColour = RGB(GetRValue(faceColour) * 7 / 8, GetGValue(faceColour) * 7 / 8, GetBValue(faceColour) * 7 / 8);
  }
  UniqueGdiObject brush(::CreateSolidBrush(faceColour));
  UniqueGdiObject pen(::CreatePen(PS_SOLID, 1, kit.Colour(ColourRole::kFrameOuter)));
  Selection brushChoice(dc, brush.get());
  Selection penChoice(dc, pen.get());
  if (metrics.captionButtonShape == CaptionButtonShape::kRound) {
    ::Ellipse(dc, box.left, box.top, box.right, box.bottom);
  } else {
    ::RoundRect(dc, box.left, box.top, box.right, box.bottom, 4, 4);
  }
  RECT glyphBox = box;
  if (state.pressed == button) ::OffsetRect(&glyphBox, 1, 1);
  const COLORREF glyph =
      face == ColourRole::kCaptionButtonHot ? RGB(255, 255, 255) : kit.Colour(ColourRole::kCaptionButtonGlyph);
  DrawGlyph(dc, button, glyphBox, glyph, metrics.captionGlyphWeight, zoomed);
}

void DrawCaption(const PaintKit& kit, HWND window, HDC dc, const FrameLayout& layout, const FrameState& state) {
  const Skin& skin = kit.skin();
  const SkinImage& image = state.active ? skin.activeCaption : skin.inactiveCaption;
  const RECT& caption = layout.caption;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height;  // rows top to bottom
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  ::SetStretchBltMode(dc, HALFTONE);
  ::SetBrushOrgEx(dc, 0, 0, nullptr);
  ::StretchDIBits(dc, caption.left, caption.top, caption.right - caption.left, caption.bottom - caption.top, 0, 0,
                  image.width, image.height, image.bgrx.data(), &info, DIB_RGB_COLORS, SRCCOPY);

  int textLeft = caption.left + 6;
  auto icon = reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, ICON_SMALL2, 0));
  if (icon == nullptr) icon = reinterpret_cast<HICON>(::GetClassLongPtrW(window, GCLP_HICONSM));
  if (icon != nullptr && (::GetWindowLongW(window, GWL_STYLE) & WS_SYSMENU) != 0) {
    const int side = std::min(16, static_cast<int>(caption.bottom - caption.top) - 2);
    ::DrawIconEx(dc, caption.left + 4, caption.top + (caption.bottom - caption.top - side) / 2, icon, side, side, 0,
                 nullptr, DI_NORMAL);
    textLeft = caption.left + 8 + side;
  }
  int textRight = caption.right - 6;
  if (!layout.buttons.empty()) textRight = layout.buttons.back().second.left - 4;

  std::wstring title(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  title.resize(static_cast<std::size_t>(::GetWindowTextW(window, title.data(), static_cast<int>(title.size()))));
  Selection font(
      dc, kit.CaptionFont() != nullptr ? static_cast<HGDIOBJ>(kit.CaptionFont()) : ::GetStockObject(DEFAULT_GUI_FONT));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, kit.Colour(state.active ? ColourRole::kTitleText : ColourRole::kTitleTextInactive));
  RECT textRect{textLeft, caption.top, textRight, caption.bottom};
  const UINT align = skin.metrics.titleAlign == TitleAlign::kCentre ? DT_CENTER : DT_LEFT;
  ::DrawTextW(dc, title.c_str(), static_cast<int>(title.size()), &textRect,
              align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);

  const bool zoomed = ::IsZoomed(window) != FALSE;
  for (const auto& [button, box] : layout.buttons) DrawCaptionButton(kit, dc, button, box, state, zoomed);
}

}  // namespace

CaptionButton CaptionButtonAt(HWND window, POINT screen) {
  RECT windowRect{};
  ::GetWindowRect(window, &windowRect);
  const POINT at{screen.x - windowRect.left, screen.y - windowRect.top};
  for (const auto& [button, box] : LayoutOf(window).buttons) {
    if (::PtInRect(&box, at)) return button;
  }
  return CaptionButton::kNone;
}

void PaintFrame(const PaintKit& kit, HWND window, const FrameState& state) {
  const FrameLayout layout = LayoutOf(window);
  if (layout.window.cx <= 0 || layout.window.cy <= 0) return;
  WindowDc target(window, ::GetWindowDC(window));
  if (target.get() == nullptr) return;
  ::ExcludeClipRect(target.get(), layout.client.left, layout.client.top, layout.client.right, layout.client.bottom);
  BufferedPaint buffer(target.get(), {0, 0}, layout.window);
  if (!buffer.ok()) return;
  const HDC dc = buffer.dc();

  const RECT whole{0, 0, layout.window.cx, layout.window.cy};
  ::FillRect(dc, &whole, kit.Brush(ColourRole::kFrameFill));
  const int line = kit.skin().metrics.frameLineWidth;
  RECT outline = whole;
  for (int i = 0; i < line; ++i) {
    ::FrameRect(dc, &outline, kit.Brush(ColourRole::kFrameOuter));
    ::InflateRect(&outline, -1, -1);
  }
  RECT around = layout.client;
  ::InflateRect(&around, 1, 1);
  ::FrameRect(dc, &around, kit.Brush(ColourRole::kFrameOuter));
  if (layout.caption.bottom > layout.caption.top) DrawCaption(kit, window, dc, layout, state);
}
