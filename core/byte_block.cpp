#include "core/byte_block.h"

#include <atomic>
#include <cstring>

namespace {
std::atomic<std::size_t> blockAllocationLimit{std::numeric_limits<std::size_t>::max()};
}  // namespace

void SetBlockAllocationLimit(std::size_t byteLimit) noexcept { blockAllocationLimit = byteLimit; }

std::size_t BlockAllocationLimit() noexcept { return blockAllocationLimit; }

ByteBlock::ByteBlock(std::span<const std::uint8_t> bytes) {
  ResizeForOverwrite(static_cast<std::int64_t>(bytes.size()));
  if (!bytes.empty()) std::memcpy(bytes_.data(), bytes.data(), bytes.size());
}

void ByteBlock::ResizeForOverwrite(std::int64_t length) {
  if (length < 0 || length > kMaxLength) throw BlockAllocationError(length < 0 ? 0 : static_cast<std::size_t>(length));
  const auto size = static_cast<std::size_t>(length);
  if (size > bytes_.capacity()) Release();  // no copy of bytes about to be overwritten, no double peak
  bytes_.resize(size);
}

void ByteBlock::Release() noexcept { decltype(bytes_)().swap(bytes_); }
