#include "tests/e2e/windows_of.h"

#include "tests/e2e/win32_basics.h"

namespace {

struct TopWindowQuery {
  DWORD processId;
  std::wstring_view className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopWindow(HWND window, LPARAM data) {
  auto& query = *reinterpret_cast<TopWindowQuery*>(data);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner == query.processId && ::IsWindowVisible(window) &&
      (query.className.empty() || ClassOf(window) == query.className)) {
    query.found.push_back(window);
  }
  return TRUE;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM data) {
  reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopWindowsOf(DWORD processId, std::wstring_view className) {
  TopWindowQuery query{processId, className, {}};
  ::EnumWindows(CollectTopWindow, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

std::vector<HWND> ChildrenOf(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

std::vector<HWND> DescendantsOf(HWND parent) {
  std::vector<HWND> all;
  ::EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&all));
  return all;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  ::GetClassNameW(window, name, 256);
  return name;
}

RECT PlaceOf(HWND window) {
  RECT place{};
  ::GetWindowRect(window, &place);
  if (HWND parent = ::GetAncestor(window, GA_PARENT); parent && parent != ::GetDesktopWindow()) {
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
  }
  return place;
}

HWND ChildAt(HWND parent, std::wstring_view className, int left, int top, int width, int height) {
  for (HWND child : ChildrenOf(parent)) {
    const RECT place = PlaceOf(child);
    if (ClassOf(child) == className && place.left == left && place.top == top && place.right - place.left == width &&
        place.bottom - place.top == height) {
      return child;
    }
  }
  return nullptr;
}

HWND ChildOfClass(HWND parent, std::wstring_view className) {
  for (HWND child : ChildrenOf(parent)) {
    if (ClassOf(child) == className) return child;
  }
  return nullptr;
}

std::string DescribeChildren(HWND parent) {
  std::string lines;
  for (HWND child : ChildrenOf(parent)) {
    const RECT place = PlaceOf(child);
    lines += WideToUtf8(ClassOf(child)) + " at " + std::to_string(place.left) + "," + std::to_string(place.top) +
             " size " + std::to_string(place.right - place.left) + "x" + std::to_string(place.bottom - place.top) +
             "\n";
  }
  return lines;
}

POINT CentreOf(HWND window) {
  RECT place{};
  ::GetWindowRect(window, &place);
  return {(place.left + place.right) / 2, (place.top + place.bottom) / 2};
}

HWND FocusIn(DWORD threadId) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!::GetGUIThreadInfo(threadId, &info)) return nullptr;
  return info.hwndFocus;
}
