#include <windows.h>

#include <commctrl.h>

#include "skinlib/control_paint_win32.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace {

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

HFONT ControlFont(HWND window) {
  const auto font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
  return font != nullptr ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

COLORREF Blend(COLORREF a, COLORREF b) {
  return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2, (GetBValue(a) + GetBValue(b)) / 2);
}

void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
  ::SetBkColor(dc, colour);
  ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

// A rectangle, rounded by `radius`, outlined in `line` with `width` and filled with `fill`
// (or hollow when `fill` is null).
void RoundBox(HDC dc, const RECT& rect, int radius, COLORREF line, int width, HBRUSH fill) {
  UniqueGdiObject pen(::CreatePen(PS_INSIDEFRAME, width, line));
  Selection penChoice(dc, pen.get());
  Selection brushChoice(dc, fill != nullptr ? static_cast<HGDIOBJ>(fill) : ::GetStockObject(NULL_BRUSH));
  ::RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, radius * 2, radius * 2);
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour) {
  UniqueGdiObject pen(::CreatePen(PS_SOLID, 1, colour));
  Selection choice(dc, pen.get());
  ::MoveToEx(dc, x1, y1, nullptr);
  ::LineTo(dc, x2, y2);
}

RECT ClientRect(HWND window) {
  RECT rect{};
  ::GetClientRect(window, &rect);
  return rect;
}

}  // namespace

void PaintPushButton(const PaintKit& kit, HWND button, HDC target) {
  const RECT rect = ClientRect(button);
  BufferedPaint buffer(target, {0, 0}, {rect.right, rect.bottom});
  if (!buffer.ok()) return;
  const HDC dc = buffer.dc();
  const auto state = static_cast<UINT>(::SendMessageW(button, BM_GETSTATE, 0, 0));
  const bool pressed = (state & BST_PUSHED) != 0;
  const bool enabled = ::IsWindowEnabled(button) != FALSE;
  const bool isDefault = (::GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  const auto& metrics = kit.skin().metrics;

  FillSolid(dc, rect, kit.Colour(ColourRole::kWindowBack));
  const ColourRole face = pressed ? ColourRole::kButtonFacePressed : ColourRole::kButtonFace;
  RoundBox(dc, rect, metrics.buttonCornerRadius, kit.Colour(ColourRole::kButtonBorder), isDefault ? 2 : 1,
           kit.Brush(face));

  Selection font(dc, ControlFont(button));
  ::SetBkMode(dc, TRANSPARENT);
  const COLORREF text = kit.Colour(ColourRole::kButtonText);
  ::SetTextColor(dc, enabled ? text : Blend(text, kit.Colour(face)));
  RECT textRect = rect;
  if (pressed) ::OffsetRect(&textRect, 1, 1);
  const std::wstring caption = WindowText(button);
  ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (::GetFocus() == button) {
    RECT focus = rect;
    ::InflateRect(&focus, -3, -3);
    ::SetTextColor(dc, kit.Colour(ColourRole::kButtonText));
    ::SetBkColor(dc, kit.Colour(face));
    ::DrawFocusRect(dc, &focus);
  }
}

void PaintGroupBox(const PaintKit& kit, HWND group, HDC target) {
  const RECT rect = ClientRect(group);
  ::FillRect(target, &rect, kit.Brush(ColourRole::kWindowBack));
  Selection font(target, ControlFont(group));
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(target, &metrics);
  RECT frame = rect;
  frame.top += metrics.tmHeight / 2;
  RoundBox(target, frame, kit.skin().metrics.buttonCornerRadius, kit.Colour(ColourRole::kGroupLine), 1, nullptr);

  const std::wstring caption = WindowText(group);
  if (caption.empty()) return;
  RECT textRect{8, 0, rect.right - 8, metrics.tmHeight};
  ::DrawTextW(target, caption.c_str(), static_cast<int>(caption.size()), &textRect, DT_SINGLELINE | DT_CALCRECT);
  ::InflateRect(&textRect, 2, 0);
  ::FillRect(target, &textRect, kit.Brush(ColourRole::kWindowBack));
  ::SetBkMode(target, TRANSPARENT);
  ::SetTextColor(target, kit.Colour(ColourRole::kGroupText));
  ::DrawTextW(target, caption.c_str(), static_cast<int>(caption.size()), &textRect, DT_SINGLELINE | DT_CENTER);
}

void PaintHeader(const PaintKit& kit, HWND header, HDC target) {
  const RECT rect = ClientRect(header);
  BufferedPaint buffer(target, {0, 0}, {rect.right, rect.bottom});
  if (!buffer.ok()) return;
  const HDC dc = buffer.dc();
  ::FillRect(dc, &rect, kit.Brush(ColourRole::kHeaderBack));
  Selection font(dc, ControlFont(header));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, kit.Colour(ColourRole::kHeaderText));
  const COLORREF grid = kit.Colour(ColourRole::kListGrid);
  const int count = static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    RECT item{};
    if (!::SendMessageW(header, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item))) continue;
    wchar_t text[128] = {};
    HDITEMW info{};
    info.mask = HDI_TEXT | HDI_FORMAT;
    info.pszText = text;
    info.cchTextMax = static_cast<int>(std::size(text));
    ::SendMessageW(header, HDM_GETITEMW, i, reinterpret_cast<LPARAM>(&info));
    UINT align = DT_LEFT;
    if ((info.fmt & HDF_JUSTIFYMASK) == HDF_CENTER) align = DT_CENTER;
    if ((info.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT) align = DT_RIGHT;
    RECT textRect = item;
    ::InflateRect(&textRect, -6, 0);
    ::DrawTextW(dc, text, -1, &textRect, align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    Line(dc, item.right - 1, item.top + 3, item.right - 1, item.bottom - 3, grid);
  }
  Line(dc, 0, rect.bottom - 1, rect.right, rect.bottom - 1, kit.Colour(ColourRole::kButtonBorder));
}

void PaintStatusBar(const PaintKit& kit, HWND status, HDC target) {
  const RECT rect = ClientRect(status);
  BufferedPaint buffer(target, {0, 0}, {rect.right, rect.bottom});
  if (!buffer.ok()) return;
  const HDC dc = buffer.dc();
  ::FillRect(dc, &rect, kit.Brush(ColourRole::kStatusBack));
  Line(dc, 0, 0, rect.right, 0, kit.Colour(ColourRole::kGroupLine));
  Selection font(dc, ControlFont(status));
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, kit.Colour(ColourRole::kStatusText));
  const int parts = std::max(1, static_cast<int>(::SendMessageW(status, SB_GETPARTS, 0, 0)));
  for (int i = 0; i < parts && i < 64; ++i) {
    RECT part{};
    if (!::SendMessageW(status, SB_GETRECT, i, reinterpret_cast<LPARAM>(&part))) continue;
    const auto length = LOWORD(::SendMessageW(status, SB_GETTEXTLENGTHW, i, 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::SendMessageW(status, SB_GETTEXTW, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    ::InflateRect(&part, -4, 0);
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &part,
                DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    if (i + 1 < parts)
      Line(dc, part.right + 3, part.top + 2, part.right + 3, part.bottom - 2, kit.Colour(ColourRole::kGroupLine));
  }
}

void PaintEditBorder(const PaintKit& kit, HWND edit) {
  const LONG exStyle = ::GetWindowLongW(edit, GWL_EXSTYLE);
  const LONG style = ::GetWindowLongW(edit, GWL_STYLE);
  const int width = (exStyle & WS_EX_CLIENTEDGE) != 0 ? 2 : (style & WS_BORDER) != 0 ? 1 : 0;
  if (width == 0) return;
  RECT window{};
  ::GetWindowRect(edit, &window);
  const RECT rect{0, 0, window.right - window.left, window.bottom - window.top};
  WindowDc dc(edit, ::GetWindowDC(edit));
  if (dc.get() == nullptr) return;
  const bool focused = ::GetFocus() == edit;
  UniqueGdiObject outer(
      ::CreateSolidBrush(kit.Colour(focused ? ColourRole::kListSelectBack : ColourRole::kEditBorder)));
  ::FrameRect(dc.get(), &rect, static_cast<HBRUSH>(outer.get()));
  if (width == 2) {
    RECT inner = rect;
    ::InflateRect(&inner, -1, -1);
    ::FrameRect(dc.get(), &inner, kit.Brush(ColourRole::kEditBack));
  }
}

HBRUSH ColourControl(const PaintKit& kit, UINT message, HDC dc, HWND control, COLORREF chosenText) {
  wchar_t className[32] = {};
  ::GetClassNameW(control, className, static_cast<int>(std::size(className)));
  const bool isEdit = ::lstrcmpiW(className, L"Edit") == 0 || message == WM_CTLCOLOREDIT;
  const ColourRole back = isEdit ? ColourRole::kEditBack : ColourRole::kWindowBack;
  const ColourRole text = isEdit ? ColourRole::kEditText : ColourRole::kWindowText;
  const bool ownColour = chosenText != ::GetSysColor(COLOR_WINDOWTEXT);
  COLORREF colour = ownColour ? kit.ReadableOn(chosenText, back) : kit.Colour(text);
  if (!::IsWindowEnabled(control)) colour = Blend(kit.Colour(text), kit.Colour(back));
  ::SetTextColor(dc, colour);
  ::SetBkColor(dc, kit.Colour(back));
  if (!isEdit) ::SetBkMode(dc, TRANSPARENT);
  return kit.Brush(back);
}

void ApplyListColours(const PaintKit& kit, HWND list) {
  ::SendMessageW(list, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(kit.Colour(ColourRole::kListBack)));
  ::SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(kit.Colour(ColourRole::kListBack)));
  ::SendMessageW(list, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(kit.Colour(ColourRole::kListText)));
}

LRESULT CustomDrawList(const PaintKit& kit, NMLVCUSTOMDRAW& draw) {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
    case CDDS_ITEMPREPAINT: {
      const auto row = static_cast<int>(draw.nmcd.dwItemSpec);
      const bool selected =
          (::SendMessageW(draw.nmcd.hdr.hwndFrom, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
      // Clearing the selected state keeps the list from painting over our colours with its own.
      draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED);
      if (selected) {
        draw.clrText = kit.Colour(ColourRole::kListSelectText);
        draw.clrTextBk = kit.Colour(ColourRole::kListSelectBack);
      } else {
        draw.clrText = kit.Colour(ColourRole::kListText);
        draw.clrTextBk = kit.Colour(row % 2 == 0 ? ColourRole::kListBack : ColourRole::kListAltBack);
      }
      return CDRF_NEWFONT;
    }
    case CDDS_POSTPAINT: {
      // Grid lines in the skin's colour over the list's own, at the row and column edges.
      const HWND list = draw.nmcd.hdr.hwndFrom;
      if ((::SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_GRIDLINES) == 0) return CDRF_DODEFAULT;
      const HDC dc = draw.nmcd.hdc;
      const RECT client = ClientRect(list);
      const COLORREF grid = kit.Colour(ColourRole::kListGrid);
      const auto header = reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0));
      RECT headerRect{};
      if (header != nullptr && ::IsWindowVisible(header)) ::GetWindowRect(header, &headerRect);
      const int top = headerRect.bottom - headerRect.top;
      const int count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
      const int first = static_cast<int>(::SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
      RECT item{LVIR_BOUNDS, 0, 0, 0};  // LVM_GETITEMRECT reads the wanted part from `left`
      int right = client.right;
      if (count > 0 && ::SendMessageW(list, LVM_GETITEMRECT, first, reinterpret_cast<LPARAM>(&item))) {
        const int height = std::max(1, static_cast<int>(item.bottom - item.top));
        right = std::min(right, static_cast<int>(item.right));
        for (int y = item.top - 1; y < client.bottom; y += height) Line(draw.nmcd.hdc, item.left, y, right, y, grid);
      }
      const int columns = header != nullptr ? static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
      const int scroll = ::GetScrollPos(list, SB_HORZ);
      for (int i = 0; i < columns; ++i) {
        RECT column{};
        if (!::SendMessageW(header, HDM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&column))) continue;
        const int x = column.right - 1 - scroll;
        Line(dc, x, top, x, client.bottom, grid);
      }
      return CDRF_DODEFAULT;
    }
    default:
      return CDRF_DODEFAULT;
  }
}
