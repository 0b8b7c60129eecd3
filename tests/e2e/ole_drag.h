#pragma once

// Dragging data onto a window with the system's OLE drag and drop, as the shell does: a data
// object with the dragged formats and a drop source that lets go as soon as it is asked.

#include <ole2.h>
#include <windows.h>

#include <filesystem>
#include <string_view>
#include <vector>

enum class PathCharacters { Ansi, Wide };

// Drags the files `paths` (a CF_HDROP list) onto the screen point `where` and drops them there.
// Returns the effect the target agreed to; DROPEFFECT_NONE when it refused.
DWORD DropFiles(POINT where, const std::vector<std::filesystem::path>& paths, PathCharacters characters);
// Drags `bytes` of the clipboard format named `formatName` ("Text" for CF_TEXT, otherwise a
// registered format such as "HTML Format") onto `where` and drops them there.
DWORD DropData(POINT where, std::wstring_view formatName, std::string_view bytes);
