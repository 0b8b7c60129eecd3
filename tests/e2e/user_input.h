#pragma once

// Input as a person gives it: the real mouse and keyboard through SendInput, which the system
// delivers to the window under the pointer or to the foreground window's focused control.

#include <windows.h>

#include <string_view>

// Brings `window` to the front so that the keyboard reaches it.
void BringToFront(HWND window);

// Presses and releases the left button at `screen` over `target`, and returns once the program
// has handled the click.
void ClickAt(POINT screen, HWND target);
void ClickOn(HWND control);
// Presses and releases the left button where the pointer is, and returns at once: for timing
// what the click sets off.
void PressLeftButton();

// One key stroke (down and up), with Shift held when asked.
void PressKey(WORD virtualKey, bool withShift = false);

// Types `text` into `control` character by character, as WM_CHAR messages sent to it.
void TypeInto(HWND control, std::wstring_view text);

// Waits until the thread of the top-level `window` has handled all input queued so far. The system
// hands a paint request over only when no input is waiting, so once a window invalidated now has
// been painted, the input before it is through; then the handlers it started have ended too.
void DrainInput(HWND window);

// Waits until the window's thread is back in its message loop. Input still queued is not waited
// for: the system hands sent messages over before input.
void Settle(HWND window);
