#pragma once

// Starting programs, waiting for their end and capturing their output.

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

#include "tests/e2e/win32_basics.h"

struct RunningProgram {
  UniqueHandle process;
  DWORD processId = 0;
  DWORD threadId = 0;
};

// Starts `exe` with its own folder as the current directory; throws when it cannot be started.
RunningProgram StartProgram(const std::filesystem::path& exe);

// The exit code, or nothing when the process is still running after `timeout`.
std::optional<DWORD> WaitForExit(HANDLE process, std::chrono::milliseconds timeout = std::chrono::seconds(15));

struct ProgramOutput {
  std::string standardOutput;
  DWORD exitCode = 0;
};
// Runs a console program to its end and returns what it wrote to its standard output.
ProgramOutput RunToEnd(const std::filesystem::path& exe);
