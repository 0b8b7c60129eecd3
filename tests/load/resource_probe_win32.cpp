#include "tests/load/resource_probe.h"

#include <cstdio>
#include <stdexcept>

ResourceProbe::ResourceProbe(const std::filesystem::path& probeLibrary, HWND window)
    : hooks_(probeLibrary, ::GetWindowThreadProcessId(window, nullptr), {{WH_CALLWNDPROC, "MeasureOnRequest"}}),
      window_(window),
      request_(::RegisterWindowMessageW(kMeasureMessageName)) {}

ResourceFigures ResourceProbe::Measure() const {
  const LONG before = figures_->measurements;
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(window_, request_, 0, 0, SMTO_ABORTIFHUNG, 60'000, &ignored);
  if (figures_->measurements == before) throw std::runtime_error("the resource probe did not answer");
  return *figures_;
}

std::string Describe(const ResourceFigures& f) {
  const auto kib = [](std::uint64_t bytes) { return static_cast<unsigned long long>(bytes / 1024); };
  const auto n = [](DWORD count) { return static_cast<unsigned long>(count); };
  char text[512];
  std::snprintf(
      text, sizeof text,
      "private usage %llu KiB, committed private %llu KiB, working set %llu KiB; "
      "handle count %lu, handles listed %lu (%lu of them Wine's save-dialog key); GDI count %lu, GDI objects %lu; "
      "USER count %lu, windows %lu, menus %lu, icons and cursors %lu",
      kib(f.privateUsage), kib(f.privateCommitted), kib(f.workingSet), n(f.handleCount), n(f.handlesListed),
      n(f.dialogMemoryKeys), n(f.gdiCount), n(f.gdiObjects), n(f.userCount), n(f.windows), n(f.menus), n(f.icons));
  return text;
}
