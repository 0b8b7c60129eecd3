#pragma once

// Behaviour that the standard control classes lack, added by subclassing. Each subclass removes
// itself when its control is destroyed.

#include <windows.h>

// The position box takes only these as typed characters; control keys pass (Backspace, Ctrl+V).
[[nodiscard]] constexpr bool IsAcceptedPositionChar(wchar_t c) {
  const bool printable = c >= 0x20 && c != 0x7F;
  return !printable || (c >= L'0' && c <= L'9') || c == L'-';
}

// Typed characters that IsAcceptedPositionChar refuses are dropped silently; pasted text and text
// set by the program go in unchanged.
void FilterPositionChars(HWND edit);

// A one-line edit box taller than its line shows the line centred vertically; the space above
// and below is part of the box's frame, painted in the box's background colour.
void CentreSingleLine(HWND edit);

// Notifications and colour requests of a container's children reach `target` as if the children
// were its own (a group box does not pass them on by itself).
void ForwardChildMessages(HWND container, HWND target);
