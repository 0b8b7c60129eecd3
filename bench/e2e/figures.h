#pragma once

// Small helpers the window benchmarks share: a clock, the median of some runs, and paths given on
// the command line in Linux form.

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/win32_basics.h"

using BenchClock = std::chrono::steady_clock;

inline double MillisecondsSince(BenchClock::time_point start) {
  return std::chrono::duration<double, std::milli>(BenchClock::now() - start).count();
}

struct Spread {
  double min = 0;
  double median = 0;
  double max = 0;
};

inline Spread SpreadOf(std::vector<double> values) {
  if (values.empty()) return {};
  std::sort(values.begin(), values.end());
  return {values.front(), values[values.size() / 2], values.back()};
}
