#pragma once

// A record in a named shared mapping: the driver makes it, and a hook library inside the program
// under test opens it by the same name, so figures pass between the two processes.

#include <windows.h>

#include <stdexcept>

#include "core/win32/unique.h"
#include "core/win32/unique_handles.h"

template <class Record>
class SharedRecord {
 public:
  explicit SharedRecord(const wchar_t* name)
      : mapping_(::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(Record), name)) {
    if (!mapping_) throw std::runtime_error("cannot make a shared record");
    view_.reset(static_cast<Record*>(::MapViewOfFile(mapping_.get(), FILE_MAP_WRITE, 0, 0, sizeof(Record))));
    if (!view_) throw std::runtime_error("cannot map a shared record");
  }

  [[nodiscard]] Record& operator*() const { return *view_.get(); }
  [[nodiscard]] Record* operator->() const { return view_.get(); }

 private:
  struct ViewTraits {
    using Handle = Record*;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::UnmapViewOfFile(h); }
  };

  UniqueHandle mapping_;
  Unique<ViewTraits> view_;
};

// The record as the hook library sees it, or null while the driver has made none. The view is
// kept for the life of the process; the closed mapping handle leaves the program's count as it was.
template <class Record>
Record* OpenSharedRecord(const wchar_t* name) {
  const UniqueHandle mapping(::OpenFileMappingW(FILE_MAP_WRITE, FALSE, name));
  if (!mapping) return nullptr;
  return static_cast<Record*>(::MapViewOfFile(mapping.get(), FILE_MAP_WRITE, 0, 0, sizeof(Record)));
}
