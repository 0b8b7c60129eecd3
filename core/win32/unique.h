#pragma once

// One owner for each Win32 handle. Traits say what "no handle" is and how to close one:
//   struct FileTraits { using Handle = HANDLE; static Handle Invalid() { return INVALID_HANDLE_VALUE; }
//                       static void Close(Handle h) { ::CloseHandle(h); } };
// Windows-only code includes this after <windows.h>.

#include <utility>

template <class Traits>
class Unique {
 public:
  using Handle = typename Traits::Handle;

  Unique() noexcept = default;
  explicit Unique(Handle handle) noexcept : handle_(handle) {}
  Unique(const Unique&) = delete;
  Unique& operator=(const Unique&) = delete;
  Unique(Unique&& other) noexcept : handle_(other.release()) {}
  Unique& operator=(Unique&& other) noexcept {
    reset(other.release());
    return *this;
  }
  ~Unique() { reset(); }

  [[nodiscard]] Handle get() const noexcept { return handle_; }
  [[nodiscard]] explicit operator bool() const noexcept { return handle_ != Traits::Invalid(); }
  [[nodiscard]] Handle release() noexcept { return std::exchange(handle_, Traits::Invalid()); }
  void reset(Handle handle = Traits::Invalid()) noexcept {
    const Handle old = std::exchange(handle_, handle);
    if (old != Traits::Invalid()) Traits::Close(old);
  }

 private:
  Handle handle_ = Traits::Invalid();
};
