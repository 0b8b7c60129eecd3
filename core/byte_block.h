#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <new>
#include <span>
#include <vector>

// Raised when a block's memory cannot be had, or a block would exceed the largest length
// that a signed 32-bit length can hold. `byteCount` is the size that was asked for.
class BlockAllocationError : public std::bad_alloc {
 public:
  explicit BlockAllocationError(std::size_t byteCount) noexcept : byteCount_(byteCount) {}
  [[nodiscard]] std::size_t ByteCount() const noexcept { return byteCount_; }
  [[nodiscard]] const char* what() const noexcept override { return "block allocation failed"; }

 private:
  std::size_t byteCount_;
};

// Test seam: allocations of block memory larger than `byteLimit` fail as if the system had run
// out of memory. The default is no limit. Only tests set it.
void SetBlockAllocationLimit(std::size_t byteLimit) noexcept;
[[nodiscard]] std::size_t BlockAllocationLimit() noexcept;

// Allocates block memory without zero-filling it: builders overwrite every byte anyway, and
// touching a large image twice would cost a second pass over it.
template <class T>
struct BlockAllocator {
  using value_type = T;
  BlockAllocator() noexcept = default;
  template <class U>
  BlockAllocator(const BlockAllocator<U>&) noexcept {}

  T* allocate(std::size_t n) {
    const std::size_t byteCount = n * sizeof(T);
    if (byteCount > BlockAllocationLimit()) throw BlockAllocationError(byteCount);
    void* memory = ::operator new(byteCount, std::nothrow);
    if (memory == nullptr) throw BlockAllocationError(byteCount);
    return static_cast<T*>(memory);
  }
  void deallocate(T* p, std::size_t) noexcept { ::operator delete(p); }
  template <class U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;  // default-initialise: no zero fill
  }
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(static_cast<Args&&>(args)...);
  }
  friend bool operator==(const BlockAllocator&, const BlockAllocator&) noexcept { return true; }
};

// An owned sequence of bytes with a signed 32-bit length; the empty block is a valid value
// everywhere. Copying a block copies its bytes: no two holders ever see each other's changes.
class ByteBlock {
 public:
  static constexpr std::int32_t kMaxLength = std::numeric_limits<std::int32_t>::max();

  ByteBlock() = default;
  explicit ByteBlock(std::span<const std::uint8_t> bytes);

  [[nodiscard]] std::int32_t Length() const noexcept { return static_cast<std::int32_t>(bytes_.size()); }
  [[nodiscard]] bool IsEmpty() const noexcept { return bytes_.empty(); }
  [[nodiscard]] const std::uint8_t* Data() const noexcept { return bytes_.data(); }
  [[nodiscard]] std::span<const std::uint8_t> Bytes() const noexcept { return bytes_; }

  // For the one who builds a block: sets the length, keeping the memory already held when it
  // suffices, and leaves every byte unspecified until written (old bytes are not carried over
  // into new memory). Throws BlockAllocationError when the memory cannot be had or `length` is
  // negative or above kMaxLength.
  void ResizeForOverwrite(std::int64_t length);
  [[nodiscard]] std::span<std::uint8_t> MutableBytes() noexcept { return bytes_; }

  // Gives the memory back: the block becomes empty and holds nothing.
  void Release() noexcept;

  friend bool operator==(const ByteBlock& a, const ByteBlock& b) noexcept { return a.bytes_ == b.bytes_; }

 private:
  std::vector<std::uint8_t, BlockAllocator<std::uint8_t>> bytes_;
};
