#pragma once

// Input as a person gives it: the real mouse and keyboard through SendInput, which the system
// delivers to the window under the pointer or to the foreground window's focused control.

#include <windows.h>

#include <string_view>

// Brings `window` to the front so that the keyboard reaches it.
void BringToFront(HWND window);

void ClickAt(POINT screen);
void ClickOn(HWND control);

// One key stroke (down and up), with Shift held when asked.
void PressKey(WORD virtualKey, bool withShift = false);

// Types `text` into `control` character by character, as WM_CHAR messages in its queue.
void TypeInto(HWND control, std::wstring_view text);

// Waits until the program has handled all input sent so far.
void Settle(HWND window);
