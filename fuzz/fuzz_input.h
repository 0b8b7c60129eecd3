#pragma once

// What every fuzz target draws its choices from, and how it reports a wrong result.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Reads the fuzzer's bytes one at a time; zeros once they run out.
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  // A value in lo..hi.
  std::int32_t Between(std::int32_t lo, std::int32_t hi) {
    const std::uint32_t raw = std::uint32_t{Byte()} | std::uint32_t{Byte()} << 8;
    return lo + static_cast<std::int32_t>(raw % static_cast<std::uint32_t>(hi - lo + 1));
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// A result that differs from the reference ends the run, so the fuzzer keeps the input.
inline void Check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "mismatch: %s\n", what);
  std::abort();
}
