// Reads and writes one large file through the whole-file primitives and prints the best of a
// few runs, for scripts/bench-files to set beside a plain copy of the same file.
//   files_bench <folder>   (the folder ends with '\'; the file is removed afterwards)

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "core/file_io.h"

namespace {

constexpr std::int64_t kByteCount = std::int64_t{256} << 20;
constexpr int kRuns = 3;

template <class Step>
double BestMilliseconds(Step step) {
  double best = 1e300;
  for (int run = 0; run < kRuns; ++run) {
    const auto start = std::chrono::steady_clock::now();
    if (!step()) return -1;
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count());
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: files_bench <folder\\>\n");
    return 2;
  }
  const std::string path = std::string(argv[1]) + "files_bench.bin";

  ByteBlock image;
  image.ResizeForOverwrite(kByteCount);
  std::uint32_t state = 0x2545F491u;
  for (std::uint8_t& byte : image.MutableBytes()) {
    state = state * 1664525u + 1013904223u;
    byte = static_cast<std::uint8_t>(state >> 24);
  }

  const double writeMs = BestMilliseconds([&] { return WriteWholeFile(path, {image.Bytes()}); });
  const double readMs = BestMilliseconds([&] {
    const ReadResult read = ReadWholeFile(path);
    return read.outcome == ReadOutcome::kRead && read.bytes.Length() == image.Length();
  });
  const bool sameBytes = ReadWholeFile(path).bytes == image;  // checked once, outside the timing
  ::DeleteFileA(path.c_str());
  if (writeMs < 0 || readMs < 0 || !sameBytes) {
    std::fprintf(stderr, "files_bench: a read or write of %s failed\n", path.c_str());
    return 1;
  }
  std::printf("write_256MiB_ms %.1f\nread_256MiB_ms %.1f\n", writeMs, readMs);
  return 0;
}
