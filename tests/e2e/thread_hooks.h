#pragma once

// A hook library put into one thread of another program: Windows loads the library into that
// program, and its hook procedures run there, on the thread's own messages.

#include <windows.h>

#include <filesystem>
#include <initializer_list>
#include <vector>

#include "core/win32/unique.h"

struct HookProcedure {
  int kind;          // WH_GETMESSAGE, WH_CALLWNDPROC, ...
  const char* name;  // the procedure's exported name in the library
};

class ThreadHooks {
 public:
  ThreadHooks(const std::filesystem::path& library, DWORD thread, std::initializer_list<HookProcedure> procedures);
  ThreadHooks(const ThreadHooks&) = delete;
  ThreadHooks& operator=(const ThreadHooks&) = delete;

 private:
  struct LibraryTraits {
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::FreeLibrary(h); }
  };
  struct HookTraits {
    using Handle = HHOOK;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::UnhookWindowsHookEx(h); }
  };

  // Declared first, so the hooks are removed before the library is let go.
  Unique<LibraryTraits> library_;
  std::vector<Unique<HookTraits>> hooks_;
};
