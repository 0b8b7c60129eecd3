#include "ui/control_behaviour_win32.h"

#include <commctrl.h>

namespace {

enum SubclassId : UINT_PTR { kPositionFilter = 1, kLineCentring, kForwarding };

LRESULT CALLBACK PositionFilterProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
      if (!IsAcceptedPositionChar(static_cast<wchar_t>(wParam))) return 0;
      break;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(edit, PositionFilterProc, kPositionFilter);
      break;
  }
  return ::DefSubclassProc(edit, message, wParam, lParam);
}

int LineHeight(HWND edit) {
  const auto font = reinterpret_cast<HFONT>(::SendMessageW(edit, WM_GETFONT, 0, 0));
  const HDC dc = ::GetDC(edit);
  if (dc == nullptr) return 0;
  const HGDIOBJ previous = ::SelectObject(dc, font != nullptr ? font : ::GetStockObject(SYSTEM_FONT));
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc, &metrics);
  ::SelectObject(dc, previous);
  ::ReleaseDC(edit, dc);
  return metrics.tmHeight + 2;  // the edit's own one-pixel margin above and below the text
}

// The client rectangle in window coordinates, and the frame's edge width.
struct FrameLayout {
  RECT client;
  int edge;
  int windowHeight;
};

FrameLayout LayoutOf(HWND edit) {
  RECT window{};
  ::GetWindowRect(edit, &window);
  RECT client{};
  ::GetClientRect(edit, &client);
  ::MapWindowPoints(edit, nullptr, reinterpret_cast<POINT*>(&client), 2);
  ::OffsetRect(&client, -window.left, -window.top);
  return {client, client.left, window.bottom - window.top};
}

void PaintLineGaps(HWND edit) {
  const FrameLayout layout = LayoutOf(edit);
  const RECT above{layout.client.left, layout.edge, layout.client.right, layout.client.top};
  const RECT below{layout.client.left, layout.client.bottom, layout.client.right, layout.windowHeight - layout.edge};
  const HDC dc = ::GetWindowDC(edit);
  if (dc == nullptr) return;
  const auto brush = reinterpret_cast<HBRUSH>(
      ::SendMessageW(::GetParent(edit), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit)));
  const HBRUSH fill = brush != nullptr ? brush : ::GetSysColorBrush(COLOR_WINDOW);
  ::FillRect(dc, &above, fill);
  ::FillRect(dc, &below, fill);
  ::ReleaseDC(edit, dc);
}

LRESULT CALLBACK LineCentringProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_NCCALCSIZE: {
      const LRESULT result = ::DefSubclassProc(edit, message, wParam, lParam);
      RECT& client = wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : *reinterpret_cast<RECT*>(lParam);
      const int spare = (client.bottom - client.top) - LineHeight(edit);
      if (spare > 0) {
        client.top += spare / 2;
        client.bottom -= spare - spare / 2;
      }
      return result;
    }
    case WM_NCPAINT: {
      const LRESULT result = ::DefSubclassProc(edit, message, wParam, lParam);
      PaintLineGaps(edit);
      return result;
    }
    case WM_NCHITTEST: {
      // A click above or below the line still puts the caret into the box.
      const LRESULT hit = ::DefSubclassProc(edit, message, wParam, lParam);
      return hit == HTNOWHERE || hit == HTBORDER ? HTCLIENT : hit;
    }
    case WM_SETFONT: {
      const LRESULT result = ::DefSubclassProc(edit, message, wParam, lParam);
      ::SetWindowPos(edit, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
      return result;
    }
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(edit, LineCentringProc, kLineCentring);
      break;
  }
  return ::DefSubclassProc(edit, message, wParam, lParam);
}

LRESULT CALLBACK ForwardingProc(HWND container, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR target) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      return ::SendMessageW(reinterpret_cast<HWND>(target), message, wParam, lParam);
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(container, ForwardingProc, kForwarding);
      break;
  }
  return ::DefSubclassProc(container, message, wParam, lParam);
}

}  // namespace

void FilterPositionChars(HWND edit) { ::SetWindowSubclass(edit, PositionFilterProc, kPositionFilter, 0); }

void CentreSingleLine(HWND edit) {
  ::SetWindowSubclass(edit, LineCentringProc, kLineCentring, 0);
  ::SetWindowPos(edit, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void ForwardChildMessages(HWND container, HWND target) {
  ::SetWindowSubclass(container, ForwardingProc, kForwarding, reinterpret_cast<DWORD_PTR>(target));
}
