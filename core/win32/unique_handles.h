#pragma once

// Owners of the kernel handles the program and its tests hold. CreateFile and FindFirstFile fail
// with INVALID_HANDLE_VALUE; processes, threads and most other kernel objects with null.

#include <windows.h>

#include "core/win32/unique.h"

struct FileTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) noexcept { ::CloseHandle(handle); }
};
using UniqueFile = Unique<FileTraits>;

struct FindTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) noexcept { ::FindClose(handle); }
};
using UniqueFind = Unique<FindTraits>;

struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle handle) noexcept { ::CloseHandle(handle); }
};
using UniqueHandle = Unique<KernelHandleTraits>;
