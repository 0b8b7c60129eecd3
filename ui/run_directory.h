#pragma once

#include <string>
#include <string_view>

// The folder part of an executable's full path: cut at the last backslash, which is dropped, so
// the result never ends with one. "C:\Tools\x.exe" gives "C:\Tools", "C:\x.exe" gives "C:", a
// path without a backslash gives the empty text.
[[nodiscard]] std::string RunDirectoryOf(std::string_view executablePath);
