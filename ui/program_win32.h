#pragma once

// The program's life: start-up, the message loop and shut-down, in that order.

#include <cstdint>
#include <string>

#include "core/workspace.h"

// The folder of the running executable (ANSI), never ending with a backslash.
[[nodiscard]] std::string FindRunDirectory();

// The exit step: gives back the image's memory. Nothing is saved.
void ReleaseImageAtExit(Workspace& workspace);

// Runs the program and gives its exit code: 0 once the window has been closed. The program always
// dresses its window in the startup skin; the skin preview shows the others.
int RunQuelvane(std::int32_t skinNumber);
