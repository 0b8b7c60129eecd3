#pragma once

#include <string>
#include <string_view>

#include "core/byte_block.h"
#include "core/byte_ops.h"

// Test helpers: blocks written and read as strings of bytes.
inline ByteBlock Bytes(std::string_view text) { return TextBytes(text); }
inline std::string Text(const ByteBlock& block) {
  return std::string(reinterpret_cast<const char*>(block.Data()), static_cast<std::size_t>(block.Length()));
}
