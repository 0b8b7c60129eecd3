#pragma once

#include "core/byte_block.h"

// The loaded file's bytes as patched so far. It is never changed in place: a new block is built
// complete, then replaces the current one whole. The block it replaces is kept as a spare, so
// that the next patch can build into memory that is already touched instead of asking the
// system for a fresh image-sized block each time.
class WorkingImage {
 public:
  [[nodiscard]] const ByteBlock& Bytes() const noexcept { return current_; }

  // Memory to build the next image in: the spare that the last Install left, or an empty block.
  [[nodiscard]] ByteBlock TakeSpare() noexcept;

  // The complete `next` block becomes the image; the previous one becomes the spare.
  void Install(ByteBlock next) noexcept;

  // The spare is given back, e.g. before a new file is read or when memory is short.
  void ReleaseSpare() noexcept { spare_.Release(); }

  // Both blocks are given back; the image is empty.
  void Release() noexcept;

 private:
  ByteBlock current_;
  ByteBlock spare_;
};
