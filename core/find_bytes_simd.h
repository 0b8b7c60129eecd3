#pragma once

// The vectorised scans for each instruction set; find_bytes.cpp picks one at run time.

#include <cstddef>
#include <cstdint>

#include "core/byte_pair.h"
#include "core/two_way.h"

// Where a filtered search stopped: settled (`at` is the match's offset, or kNoMatch), or gave up
// because candidates kept failing, with every start before `at` ruled out.
struct FilterOutcome {
  std::size_t at;
  bool settled;
};

std::size_t ScanForByteSse2(const std::uint8_t* haystack, std::size_t length, std::size_t from,
                            std::uint8_t byte) noexcept;
FilterOutcome ScanForPairSse2(const std::uint8_t* haystack, std::size_t length, std::size_t from,
                              const std::uint8_t* pattern, std::size_t patternLength, BytePair pair) noexcept;

// Only on processors with AVX2 (and an OS that saves its registers).
std::size_t ScanForByteAvx2(const std::uint8_t* haystack, std::size_t length, std::size_t from,
                            std::uint8_t byte) noexcept;
FilterOutcome ScanForPairAvx2(const std::uint8_t* haystack, std::size_t length, std::size_t from,
                              const std::uint8_t* pattern, std::size_t patternLength, BytePair pair) noexcept;
