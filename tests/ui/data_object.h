#pragma once

// A data object such as a drag source hands over: files as the shell's list (CF_HDROP), or text.

#include <windows.h>

#include <ole2.h>

#include <string>
#include <vector>

#include "ui/com_ref.h"

// Files listed with ANSI paths, in this order.
[[nodiscard]] ComRef<IDataObject> MakeFileListObject(const std::vector<std::string>& paths);
// Plain text (CF_TEXT).
[[nodiscard]] ComRef<IDataObject> MakeTextObject(const std::string& text);
