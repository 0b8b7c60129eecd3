#include "bench/corpus.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

bool IsPeFile(const fs::path& path) {
  const std::string ext = path.extension().string();
  return ext == ".dll" || ext == ".exe";
}

bool IsSharedLibrary(const fs::path& path) { return path.filename().string().find(".so") != std::string::npos; }

// Regular files of `folder` (not recursive) that `keep` accepts, sorted by name.
template <class Keep>
std::vector<fs::path> FilesIn(const fs::path& folder, Keep keep) {
  std::vector<fs::path> files;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (entry.is_regular_file(error) && keep(entry.path())) files.push_back(entry.path());
  }
  std::ranges::sort(files);
  return files;
}

}  // namespace

ByteBlock LoadBinaryCorpus(std::size_t byteCount, std::vector<std::string>& sources) {
  const fs::path wine = "/usr/lib/x86_64-linux-gnu/wine";
  std::vector<fs::path> files = FilesIn(wine / "x86_64-windows", IsPeFile);
  for (const fs::path& f : FilesIn(wine / "i386-windows", IsPeFile)) files.push_back(f);
  for (const fs::path& f : FilesIn("/usr/lib/x86_64-linux-gnu", IsSharedLibrary)) files.push_back(f);

  ByteBlock corpus;
  corpus.ResizeForOverwrite(static_cast<std::int64_t>(byteCount));
  char* out = reinterpret_cast<char*>(corpus.MutableBytes().data());
  std::size_t filled = 0;
  for (const fs::path& file : files) {
    if (filled == byteCount) break;
    std::ifstream in(file, std::ios::binary);
    in.read(out + filled, static_cast<std::streamsize>(byteCount - filled));
    if (in.gcount() <= 0) continue;
    filled += static_cast<std::size_t>(in.gcount());
    sources.push_back(file.parent_path().filename().string() + "/" + file.filename().string());
  }
  // Not enough binaries: repeat what there is.
  for (std::size_t at = filled; filled > 0 && at < byteCount; ++at) out[at] = out[at - filled];
  corpus.ResizeForOverwrite(filled == 0 ? 0 : static_cast<std::int64_t>(byteCount));
  return corpus;
}

double Median(std::vector<double> times) {
  std::ranges::sort(times);
  return times[times.size() / 2];
}
