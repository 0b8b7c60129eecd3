#include "core/working_image.h"

#include <utility>

ByteBlock WorkingImage::TakeSpare() noexcept { return std::exchange(spare_, ByteBlock{}); }

void WorkingImage::Install(ByteBlock next) noexcept { spare_ = std::exchange(current_, std::move(next)); }

void WorkingImage::Release() noexcept {
  current_.Release();
  spare_.Release();
}
