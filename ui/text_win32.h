#pragma once

// Conversions between the program's own UTF-8 texts, the system's ANSI code page (the user's
// texts and paths) and the wide API.

#include <windows.h>

#include <string>
#include <string_view>

[[nodiscard]] std::wstring WideFromUtf8(std::u8string_view text);
[[nodiscard]] std::wstring WideFromAnsi(std::string_view text);
// Characters the ANSI code page lacks become '?', never a look-alike: a best-fit mapping could
// turn a chosen file name into the name of a different, existing file.
[[nodiscard]] std::string AnsiFromWide(std::wstring_view text);

// The whole text of a window as ANSI bytes, and back.
[[nodiscard]] std::string WindowAnsiText(HWND window);
void SetWindowAnsiText(HWND window, std::string_view text);
