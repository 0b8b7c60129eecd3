#include "tests/e2e/user_input.h"

#include <cstdio>
#include <vector>

#include "tests/e2e/win32_basics.h"
#include "tests/e2e/windows_of.h"

namespace {

void Send(std::vector<INPUT> inputs) { ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)); }

INPUT Key(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

INPUT MouseButton(DWORD flag) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flag;
  return input;
}

}  // namespace

void BringToFront(HWND window) {
  ::SetForegroundWindow(window);
  Settle(window);
}

void PressLeftButton() { Send({MouseButton(MOUSEEVENTF_LEFTDOWN), MouseButton(MOUSEEVENTF_LEFTUP)}); }

void ClickAt(POINT screen, HWND target) {
  const DWORD thread = ::GetWindowThreadProcessId(target, nullptr);
  HWND top = ::GetAncestor(target, GA_ROOT);
  for (int attempt = 1;; ++attempt) {
    ::SetCursorPos(screen.x, screen.y);
    PressLeftButton();
    DrainInput(top);
    // A click gives the control the focus unless it opened a modal dialog; under a busy Wine a
    // click now and then goes nowhere, and is given again.
    if (attempt == 3 || FocusIn(thread) == target || !::IsWindowEnabled(top)) return;
    std::fprintf(stderr, "driver: a click on a %s did not arrive; clicking again\n",
                 WideToUtf8(ClassOf(target)).c_str());
  }
}

void ClickOn(HWND control) { ClickAt(CentreOf(control), control); }

void PressKey(WORD virtualKey, bool withShift) {
  std::vector<INPUT> inputs;
  if (withShift) inputs.push_back(Key(VK_SHIFT, false));
  inputs.push_back(Key(virtualKey, false));
  inputs.push_back(Key(virtualKey, true));
  if (withShift) inputs.push_back(Key(VK_SHIFT, true));
  Send(inputs);
}

void TypeInto(HWND control, std::wstring_view text) {
  for (wchar_t character : text) ::SendMessageW(control, WM_CHAR, character, 1);
}

void DrainInput(HWND window) {
  ::InvalidateRect(window, nullptr, FALSE);
  if (!WaitUntil([&] { return !::GetUpdateRect(window, nullptr, FALSE); })) {
    std::fprintf(stderr, "driver: the window did not repaint in time\n");
  }
  Settle(window);
}

// A sent message is handled only after everything already in the thread's queue, input included.
void Settle(HWND window) {
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 15000, &ignored);
}
