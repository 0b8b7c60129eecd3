#pragma once

#include <utility>

// Holds one reference to a COM object and releases it when it goes.
template <class T>
class ComRef {
 public:
  ComRef() noexcept = default;
  explicit ComRef(T* adopted) noexcept : object_(adopted) {}  // takes over a reference the caller holds
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ComRef(ComRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  ComRef& operator=(ComRef&& other) noexcept {
    if (this != &other) {
      Reset();
      object_ = std::exchange(other.object_, nullptr);
    }
    return *this;
  }
  ~ComRef() { Reset(); }

  [[nodiscard]] T* Get() const noexcept { return object_; }
  T* operator->() const noexcept { return object_; }
  T& operator*() const noexcept { return *object_; }
  void Reset() noexcept {
    if (object_ != nullptr) std::exchange(object_, nullptr)->Release();
  }

 private:
  T* object_ = nullptr;
};
