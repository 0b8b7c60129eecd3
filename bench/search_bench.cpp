// Times the whole up-to-1000-rows search on real binaries and on adversarial inputs, beside
// memchr of an absent byte over a buffer of the same size (the bound: one read of the memory),
// glibc memmem and the naive first-byte scan running the same loop. Prints a table and one
// "target" line per case: our speed as a share of the bound.

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/corpus.h"
#include "core/byte_ops.h"
#include "core/search.h"

namespace {

constexpr std::size_t kMiB = 1024 * 1024;
constexpr int kRounds = 21;         // ours between two timings of the bound, each round
constexpr int kBaselineRounds = 3;  // memmem and the naive scan, which are slow on some inputs

// Results are written here so that the compiler cannot drop a loop whose result goes unused.
volatile std::size_t sink;

using Finder = std::int32_t (*)(std::span<const std::uint8_t>, std::span<const std::uint8_t>, std::int32_t);

std::int32_t FindWithMemmem(std::span<const std::uint8_t> haystack, std::span<const std::uint8_t> pattern,
                            std::int32_t start) {
  const std::size_t from = start <= 1 ? 0 : static_cast<std::size_t>(start) - 1;
  if (pattern.empty() || from >= haystack.size()) return -1;
  const void* at = memmem(haystack.data() + from, haystack.size() - from, pattern.data(), pattern.size());
  return at == nullptr ? -1 : static_cast<std::int32_t>(static_cast<const std::uint8_t*>(at) - haystack.data()) + 1;
}

// The scan-and-compare of the plain algorithm: look for the first byte, compare the rest there.
std::int32_t FindNaively(std::span<const std::uint8_t> haystack, std::span<const std::uint8_t> pattern,
                         std::int32_t start) {
  const std::size_t n = haystack.size(), m = pattern.size();
  for (std::size_t s = start <= 1 ? 0 : static_cast<std::size_t>(start) - 1; s < n; ++s) {
    if (haystack[s] != pattern[0]) continue;
    if (n - s < m) return -1;
    std::size_t i = 1;
    while (i < m && haystack[s + i] == pattern[i]) ++i;
    if (i == m) return static_cast<std::int32_t>(s) + 1;
  }
  return -1;
}

// The rows loop of the search with `find` in place of FindBytes; the bytes it had to look at.
std::size_t ScannedByLoop(Finder find, const ByteBlock& image, std::span<const std::uint8_t> pattern, int& rows) {
  std::int32_t last = 0;
  rows = 0;
  while (rows < kMaxResultRows) {
    const std::int32_t found = find(image.Bytes(), pattern, last + 1);
    if (found == -1) return static_cast<std::size_t>(image.Length());
    last = found;
    ++rows;
  }
  return static_cast<std::size_t>(last) - 1 + pattern.size();
}

double BoundSeconds(const std::vector<std::uint8_t>& absentBytes) {
  return SecondsOf([&] { sink = std::memchr(absentBytes.data(), 0x01, absentBytes.size()) == nullptr; });
}

struct Row {
  std::string name;
  std::size_t bytes;
  int rows;
  double ours, memmem, naive, bound;  // GB/s, medians
  double ratio;                       // median over the rounds of bound time / our time
};

double GigabytesPerSecond(std::size_t bytes, double seconds) { return static_cast<double>(bytes) / seconds / 1e9; }

Row Measure(const std::string& name, Workspace& workspace, const std::string& text,
            const std::vector<std::uint8_t>& absentBytes) {
  const std::span<const std::uint8_t> pattern{reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
  int rows = 0;
  const std::size_t bytes = ScannedByLoop(FindBytes, workspace.image.Bytes(), pattern, rows);
  std::vector<double> ours, bound, ratios, memmemTimes, naiveTimes;
  // The bound for the bytes this search looks at; the buffer may be longer.
  const double boundShare = static_cast<double>(bytes) / static_cast<double>(absentBytes.size());
  for (int round = 0; round < kRounds; ++round) {
    // Timed just before and just after ours, so that the machine's other work, which changes
    // from moment to moment, weighs on both sides of the ratio alike.
    const double before = BoundSeconds(absentBytes) * boundShare;
    ours.push_back(SecondsOf([&] { FindOccurrences(workspace, text); }));
    const double after = BoundSeconds(absentBytes) * boundShare;
    bound.push_back((before + after) / 2);
    ratios.push_back(bound.back() / ours.back());
  }
  int baselineRows = 0;
  for (int round = 0; round < kBaselineRounds; ++round) {
    memmemTimes.push_back(
        SecondsOf([&] { sink = ScannedByLoop(FindWithMemmem, workspace.image.Bytes(), pattern, baselineRows); }));
    naiveTimes.push_back(
        SecondsOf([&] { sink = ScannedByLoop(FindNaively, workspace.image.Bytes(), pattern, baselineRows); }));
  }
  if (workspace.results.Count() != rows || baselineRows != rows) {
    std::fprintf(stderr, "%s: the searches disagree (%d, %d, %d rows)\n", name.c_str(), workspace.results.Count(), rows,
                 baselineRows);
    std::exit(1);
  }
  return {name,
          bytes,
          rows,
          GigabytesPerSecond(bytes, Median(ours)),
          GigabytesPerSecond(bytes, Median(memmemTimes)),
          GigabytesPerSecond(bytes, Median(naiveTimes)),
          GigabytesPerSecond(bytes, Median(bound)),
          Median(ratios)};
}

std::vector<std::uint8_t> Filled(std::size_t byteCount, std::string_view piece) {
  std::vector<std::uint8_t> bytes(byteCount);
  for (std::size_t i = 0; i < byteCount; ++i) bytes[i] = static_cast<std::uint8_t>(piece[i % piece.size()]);
  return bytes;
}

std::string Repeat(std::string_view piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

}  // namespace

int main() {
  std::vector<Row> table;
  {
    std::vector<std::string> sources;
    Workspace workspace;
    workspace.image.Install(LoadBinaryCorpus(256 * kMiB, sources));
    std::printf("corpus: %d MiB from %zu files (%s … %s)\n", workspace.image.Bytes().Length() / int{kMiB},
                sources.size(), sources.front().c_str(), sources.back().c_str());
    const std::vector<std::uint8_t> absentBytes(256 * kMiB, 0);  // memchr looks for 0x01 here
    using namespace std::string_literals;
    const std::pair<const char*, std::string> cases[] = {
        {"binaries.rare", "CreateFileMappingW"s}, {"binaries.absent", "Quelvane patched this text"s},
        {"binaries.frequent", "kernel32"s},       {"binaries.nul_led", "\0CloseHandle"s},
        {"binaries.gbk", "\xd6\xd0\xce\xc4"s},    {"binaries.utf16le", "F\0i\0l\0e\0V\0e\0r\0s\0i\0o\0n\0"s},
    };
    for (const auto& [name, text] : cases) table.push_back(Measure(name, workspace, text, absentBytes));
  }
  {
    const std::vector<std::uint8_t> absentBytes(64 * kMiB, 0);
    const std::string zeros01 = std::string(31, '\0') + '\x01';
    const std::pair<const char*, std::pair<std::string, std::string>> cases[] = {
        {"adversarial.a63b", {"a", Repeat("a", 63) + "b"}},
        {"adversarial.zeros31_01", {std::string(1, '\0'), zeros01}},
        {"adversarial.ab31ba", {"ab", Repeat("ab", 31) + "ba"}},
    };
    for (const auto& [name, input] : cases) {
      Workspace workspace;
      const std::vector<std::uint8_t> filled = Filled(64 * kMiB, input.first);
      workspace.image.Install(ByteBlock(filled));
      table.push_back(Measure(name, workspace, input.second, absentBytes));
    }
  }

  std::printf("\n%-24s %9s %6s %11s %11s %11s %11s %8s\n", "case (GB/s)", "MiB", "rows", "FindOccur.", "memmem",
              "naive", "memchr", "ratio");
  for (const Row& r : table) {
    std::printf("%-24s %9.1f %6d %11.2f %11.2f %11.2f %11.2f %8.2f\n", r.name.c_str(),
                static_cast<double>(r.bytes) / kMiB, r.rows, r.ours, r.memmem, r.naive, r.bound, r.ratio);
  }
  std::printf("\n");
  for (const Row& r : table) std::printf("target search.%s measured=%.2f goal>=0.8\n", r.name.c_str(), r.ratio);
}
