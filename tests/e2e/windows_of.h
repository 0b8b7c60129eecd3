#pragma once

// Finding another process's windows and controls the way a person sees them: by class and place.

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

// The visible top-level windows of process `processId` with class `className` (any when empty).
std::vector<HWND> TopWindowsOf(DWORD processId, std::wstring_view className = {});

// The direct children of `parent`, in creation order.
std::vector<HWND> ChildrenOf(HWND parent);
// Every window below `parent`, depth first.
std::vector<HWND> DescendantsOf(HWND parent);

std::wstring ClassOf(HWND window);
// The window's place in its parent's client area (for a top-level window: on the screen).
RECT PlaceOf(HWND window);

// The direct child of `parent` of class `className` whose top-left corner is `left`, `top` in the
// parent's client area and whose size is `width` × `height`; nullptr when there is none.
HWND ChildAt(HWND parent, std::wstring_view className, int left, int top, int width, int height);
// The first direct child of `parent` of class `className`; nullptr when there is none.
HWND ChildOfClass(HWND parent, std::wstring_view className);

// One line per child of `parent` (class, place, size), for failure messages.
std::string DescribeChildren(HWND parent);

// The screen point in the middle of `window`.
POINT CentreOf(HWND window);

// The control with the keyboard focus in the thread `threadId`; nullptr when none has it.
HWND FocusIn(DWORD threadId);
