#include "tests/e2e/thread_hooks.h"

#include <stdexcept>
#include <string>

ThreadHooks::ThreadHooks(const std::filesystem::path& library, DWORD thread,
                         std::initializer_list<HookProcedure> procedures)
    : library_(::LoadLibraryW(library.c_str())) {
  if (!library_) throw std::runtime_error("cannot load the hook library " + library.string());
  for (const HookProcedure& procedure : procedures) {
    // FARPROC names no signature: go through the generic function pointer type to the real one.
    const auto found = reinterpret_cast<void (*)()>(::GetProcAddress(library_.get(), procedure.name));
    if (found == nullptr) throw std::runtime_error(std::string("the hook library lacks ") + procedure.name);
    hooks_.emplace_back(::SetWindowsHookExW(procedure.kind, reinterpret_cast<HOOKPROC>(found), library_.get(), thread));
    if (!hooks_.back()) throw std::runtime_error(std::string("cannot hook the thread with ") + procedure.name);
  }
}
