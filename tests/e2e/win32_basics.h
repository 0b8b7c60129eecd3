#pragma once

// Small helpers every part of the driver uses: handle owners, text conversion, polling.

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <thread>

#include "core/win32/unique_handles.h"

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);
// The bytes the system's ANSI code page gives the text (GBK under the Chinese locale).
std::string Utf8ToAnsi(std::string_view utf8);
std::string WideToAnsi(std::wstring_view wide);

// A path handed over from the host: "/work/x.exe" is "Z:\work\x.exe" to a Windows program under
// Wine; forward slashes become backslashes, as the program itself shows paths.
std::filesystem::path WindowsPath(std::string path);
// A file in the folder of the running driver program, such as a hook library built beside it.
std::filesystem::path BesideThisProgram(std::wstring_view name);
inline std::string Utf8(std::u8string_view text) { return {text.begin(), text.end()}; }

// Polls `condition` until it holds or `timeout` has passed; true when it held. Waits are generous:
// they bound a hang, they are not a measure of speed.
template <class Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds timeout = std::chrono::seconds(15)) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}
