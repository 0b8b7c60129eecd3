#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/byte_block.h"

// A block of `byteCount` bytes of real binaries found on this machine: Wine's PE DLLs and EXEs
// first, then shared libraries, whole files one after another, the last one cut to fit. The
// files used are appended to `sources`, for the report.
[[nodiscard]] ByteBlock LoadBinaryCorpus(std::size_t byteCount, std::vector<std::string>& sources);

// The median of `times`, which is not empty.
[[nodiscard]] double Median(std::vector<double> times);

// Wall-clock seconds one call of `work` takes.
template <class Work>
double SecondsOf(Work&& work) {
  const auto begin = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
}
