#pragma once

// The frame of a top-level window: border, title bar with icon and text, caption buttons.
// Include after <windows.h>.

#include "skinlib/paint_kit_win32.h"

enum class CaptionButton { kNone, kClose, kMaximise, kMinimise };

struct FrameState {
  bool active = true;
  CaptionButton hot = CaptionButton::kNone;
  CaptionButton pressed = CaptionButton::kNone;
};

// The caption button under a point in screen coordinates, or kNone.
[[nodiscard]] CaptionButton CaptionButtonAt(HWND window, POINT screen);

// Paints the non-client area; the client area is left alone.
void PaintFrame(const PaintKit& kit, HWND window, const FrameState& state);
