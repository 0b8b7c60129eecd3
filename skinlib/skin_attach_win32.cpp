#include <windows.h>

#include <commctrl.h>
#include <dwmapi.h>
#include <windowsx.h>

#include <memory>
#include <span>
#include <utility>

#include "skinlib/control_paint_win32.h"
#include "skinlib/frame_paint_win32.h"
#include "skinlib/skin_api.h"

namespace {

constexpr UINT_PTR kSubclassId = 0x51565348;  // one subclass of ours per window
// Marks a window as subclassed by us (GetWindowSubclass is not in every import library).
constexpr const wchar_t* kStyledMark = L"QvSkin.Styled";
// Sent by the system on newer Windows to draw the classic caption and frame behind our back.
constexpr UINT kUahDrawCaption = 0x00AE;
constexpr UINT kUahDrawFrame = 0x00AF;

enum class Kind { kFrame, kContainer, kPushButton, kGroupBox, kEdit, kList, kHeader, kStatusBar };

struct WindowSkin {
  Kind kind;
  FrameState frame;
};

bool HasClass(HWND window, const wchar_t* name) {
  wchar_t className[64] = {};
  ::GetClassNameW(window, className, 64);
  return ::lstrcmpiW(className, name) == 0;
}

// What a window is to the painter, or false for windows the skin leaves alone (menus, tool tips,
// controls it does not know).
bool KindOf(HWND window, Kind& kind) {
  const LONG style = ::GetWindowLongW(window, GWL_STYLE);
  if ((style & WS_CHILD) == 0) {
    kind = Kind::kFrame;
    return (style & WS_CAPTION) == WS_CAPTION;
  }
  if (HasClass(window, L"#32770")) {
    kind = Kind::kContainer;
  } else if (HasClass(window, L"Button")) {
    const LONG type = style & BS_TYPEMASK;
    if (type == BS_GROUPBOX) {
      kind = Kind::kGroupBox;
    } else if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
      kind = Kind::kPushButton;
    } else {
      return false;
    }
  } else if (HasClass(window, WC_EDITW)) {
    kind = Kind::kEdit;
  } else if (HasClass(window, WC_LISTVIEWW)) {
    kind = Kind::kList;
  } else if (HasClass(window, WC_HEADERW)) {
    kind = Kind::kHeader;
  } else if (HasClass(window, STATUSCLASSNAMEW)) {
    kind = Kind::kStatusBar;
  } else {
    return false;
  }
  return true;
}

void RepaintFrame(HWND window, WindowSkin& skin) {
  if (const PaintKit* kit = CurrentKit(); kit != nullptr && !::IsIconic(window)) PaintFrame(*kit, window, skin.frame);
}

void Redraw(HWND window) { ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME); }

// Painting that our own WM_PAINT does, with the erase left to it.
bool PaintOwn(HWND window, Kind kind, const PaintKit& kit) {
  PAINTSTRUCT paint{};
  const HDC dc = ::BeginPaint(window, &paint);
  if (dc == nullptr) return false;
  switch (kind) {
    case Kind::kPushButton:
      PaintPushButton(kit, window, dc);
      break;
    case Kind::kGroupBox:
      PaintGroupBox(kit, window, dc);
      break;
    case Kind::kHeader:
      PaintHeader(kit, window, dc);
      break;
    case Kind::kStatusBar:
      PaintStatusBar(kit, window, dc);
      break;
    default:
      break;
  }
  ::EndPaint(window, &paint);
  return true;
}

bool PaintsItself(Kind kind) {
  return kind == Kind::kPushButton || kind == Kind::kGroupBox || kind == Kind::kHeader || kind == Kind::kStatusBar;
}

// Messages after which a control has drawn itself directly, outside WM_PAINT: it is drawn again
// our way at once.
bool DrawsOutsidePaint(UINT message) {
  switch (message) {
    case WM_SETTEXT:
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case BM_SETCHECK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
    case WM_CAPTURECHANGED:
    case WM_UPDATEUISTATE:
    case WM_KEYDOWN:
    case WM_KEYUP:
      return true;
    default:
      return false;
  }
}

LRESULT FrameMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, WindowSkin& skin, bool& handled);

LRESULT CALLBACK SkinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto& skin = *reinterpret_cast<WindowSkin*>(data);
  if (message == WM_NCDESTROY) {
    ::RemoveWindowSubclass(window, SkinProc, kSubclassId);
    ::RemovePropW(window, kStyledMark);
    std::unique_ptr<WindowSkin> owned(&skin);
    return ::DefSubclassProc(window, message, wParam, lParam);
  }
  const PaintKit* kit = CurrentKit();
  if (kit == nullptr) return ::DefSubclassProc(window, message, wParam, lParam);

  if (skin.kind == Kind::kFrame) {
    bool handled = false;
    const LRESULT result = FrameMessage(window, message, wParam, lParam, skin, handled);
    if (handled) return result;
  }
  switch (message) {
    case WM_ERASEBKGND:
      if (skin.kind == Kind::kFrame || skin.kind == Kind::kContainer || PaintsItself(skin.kind)) {
        if (skin.kind == Kind::kFrame || skin.kind == Kind::kContainer) {
          RECT client{};
          ::GetClientRect(window, &client);
          ::FillRect(reinterpret_cast<HDC>(wParam), &client, kit->Brush(ColourRole::kWindowBack));
        }
        return 1;
      }
      break;
    case WM_PAINT:
      if (PaintsItself(skin.kind) && PaintOwn(window, skin.kind, *kit)) return 0;
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
      if (skin.kind == Kind::kFrame || skin.kind == Kind::kContainer || skin.kind == Kind::kGroupBox) {
        // The window's own procedure first, so a colour it chose for a label survives.
        ::DefSubclassProc(window, message, wParam, lParam);
        const auto dc = reinterpret_cast<HDC>(wParam);
        return reinterpret_cast<LRESULT>(
            ColourControl(*kit, message, dc, reinterpret_cast<HWND>(lParam), ::GetTextColor(dc)));
      }
      break;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header != nullptr && header->code == NM_CUSTOMDRAW && HasClass(header->hwndFrom, WC_LISTVIEWW) &&
          (::GetWindowLongW(header->hwndFrom, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT) {
        return CustomDrawList(*kit, *reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
      }
      break;
    }
    case WM_NCPAINT:
      if (skin.kind == Kind::kEdit) {
        const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);  // scroll bars
        PaintEditBorder(*kit, window);
        return result;
      }
      break;
    default:
      break;
  }
  const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
  if (PaintsItself(skin.kind) && DrawsOutsidePaint(message)) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  if (skin.kind == Kind::kEdit && (message == WM_SETFOCUS || message == WM_KILLFOCUS)) PaintEditBorder(*kit, window);
  return result;
}

// The title bar and frame: drawn by us, and the caption buttons work by our own hit test, so the
// window stays movable, minimisable and closable whatever the system would have drawn.
LRESULT FrameMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, WindowSkin& skin, bool& handled) {
  const auto buttonAt = [window, lParam] {
    return CaptionButtonAt(window, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  };
  handled = true;
  switch (message) {
    case WM_NCPAINT:
      if (::IsIconic(window) || ::GetMenu(window) != nullptr ||
          (::GetWindowLongW(window, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) != 0) {
        ::DefSubclassProc(window, message, wParam, lParam);  // menu bar and scroll bars stay the system's
      }
      RepaintFrame(window, skin);
      return 0;
    case WM_NCACTIVATE: {
      skin.frame.active = wParam != FALSE;
      // An lParam of -1 lets the system do the activation without drawing the caption.
      const LRESULT result = ::DefSubclassProc(window, message, wParam, ::IsIconic(window) ? lParam : -1);
      RepaintFrame(window, skin);
      return result;
    }
    case kUahDrawCaption:
    case kUahDrawFrame:
      return 0;
    case WM_NCHITTEST: {
      const LRESULT hit = ::DefSubclassProc(window, message, wParam, lParam);
      switch (buttonAt()) {
        case CaptionButton::kClose:
          return HTCLOSE;
        case CaptionButton::kMaximise:
          return HTMAXBUTTON;
        case CaptionButton::kMinimise:
          return HTMINBUTTON;
        case CaptionButton::kNone:
          break;
      }
      return hit == HTCLOSE || hit == HTMAXBUTTON || hit == HTMINBUTTON ? HTCAPTION : hit;
    }
    case WM_NCMOUSEMOVE: {
      const CaptionButton hot = buttonAt();
      if (hot != skin.frame.hot) {
        skin.frame.hot = hot;
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE | TME_NONCLIENT, window, 0};
        ::TrackMouseEvent(&track);
        RepaintFrame(window, skin);
      }
      break;
    }
    case WM_NCMOUSELEAVE:
      skin.frame.hot = skin.frame.pressed = CaptionButton::kNone;
      RepaintFrame(window, skin);
      break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (const CaptionButton button = buttonAt(); button != CaptionButton::kNone) {
        skin.frame.pressed = button;
        RepaintFrame(window, skin);
        return 0;
      }
      break;
    case WM_NCLBUTTONUP:
      if (const CaptionButton button = buttonAt(); button != CaptionButton::kNone) {
        const bool clicked = button == skin.frame.pressed;
        skin.frame.pressed = CaptionButton::kNone;
        RepaintFrame(window, skin);
        if (clicked) {
          WPARAM command = SC_CLOSE;
          if (button == CaptionButton::kMinimise) command = SC_MINIMIZE;
          if (button == CaptionButton::kMaximise) command = ::IsZoomed(window) ? SC_RESTORE : SC_MAXIMIZE;
          ::PostMessageW(window, WM_SYSCOMMAND, command, 0);
        }
        return 0;
      }
      skin.frame.pressed = CaptionButton::kNone;
      break;
    case WM_SETTEXT:
    case WM_SETICON:
    case WM_SYSCOMMAND:
    case WM_ENABLE:
    case WM_SIZE: {
      const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
      RepaintFrame(window, skin);  // the system drew its caption directly
      return result;
    }
    default:
      break;
  }
  handled = false;
  return 0;
}

void Restyle(HWND window) {
  const PaintKit* kit = CurrentKit();
  Kind kind{};
  if (kit == nullptr || !KindOf(window, kind)) return;
  if (kind == Kind::kList) ApplyListColours(*kit, window);
  if (::GetPropW(window, kStyledMark) == nullptr) {
    auto skin = std::make_unique<WindowSkin>(WindowSkin{kind, {}});
    skin->frame.active = ::GetActiveWindow() == window;
    if (::SetWindowSubclass(window, SkinProc, kSubclassId, reinterpret_cast<DWORD_PTR>(skin.get()))) {
      ::SetPropW(window, kStyledMark, skin.release());  // owned by the subclass until WM_NCDESTROY
    }
    if (kind == Kind::kFrame) {
      // Let our non-client painting show where the desktop composes frames itself.
      const DWORD policy = DWMNCRP_DISABLED;
      ::DwmSetWindowAttribute(window, DWMWA_NCRENDERING_POLICY, &policy, sizeof(policy));
    }
  }
  Redraw(window);
}

BOOL CALLBACK RestyleChild(HWND child, LPARAM) {
  Restyle(child);
  return TRUE;
}

BOOL CALLBACK RestyleTopLevel(HWND window, LPARAM) {
  Restyle(window);
  ::EnumChildWindows(window, RestyleChild, 0);  // every descendant
  return TRUE;
}

// Windows made on this thread after the attach are restyled once their WM_CREATE has run.
LRESULT CALLBACK AfterCreate(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (sent->message == WM_CREATE && sent->lResult != -1) Restyle(sent->hwnd);
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// Once our hook and subclasses are in place, their code must stay mapped for as long as the
// process runs: a FreeLibrary by the program at its end would otherwise leave the thread hook
// pointing into unmapped memory for whatever messages still come (OLE's own windows, say).
void StayLoaded() {
  HMODULE self = nullptr;
  ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                       reinterpret_cast<LPCWSTR>(&StayLoaded), &self);
}

void WatchThread() {
  thread_local bool watching = false;
  if (watching) return;
  watching = ::SetWindowsHookExW(WH_CALLWNDPROCRET, AfterCreate, nullptr, ::GetCurrentThreadId()) != nullptr;
}

}  // namespace

extern "C" std::int32_t QVSKIN_CALL QvSkinAttach(const std::uint8_t* skinBytes, std::int32_t byteCount, const char*,
                                                 std::int32_t, std::int32_t, std::int32_t) {
  if (skinBytes == nullptr || byteCount <= 0) return -static_cast<std::int32_t>(SkinError::kNoBytes);
  ParsedSkin parsed = ParseSkin(std::span(skinBytes, static_cast<std::size_t>(byteCount)));
  if (parsed.error != SkinError::kNone) return -static_cast<std::int32_t>(parsed.error);
  ReplaceKit(std::make_unique<PaintKit>(std::move(parsed.skin)));
  StayLoaded();
  WatchThread();
  ::EnumThreadWindows(::GetCurrentThreadId(), RestyleTopLevel, 0);
  return 0;
}
