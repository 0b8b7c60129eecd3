#pragma once

// Reads what a running program holds: puts the probe library into the thread of `window` and
// asks it to measure the program whenever the driver wants a figure.

#include <windows.h>

#include <filesystem>
#include <string>

#include "tests/e2e/shared_record.h"
#include "tests/e2e/thread_hooks.h"
#include "tests/load/resource_figures.h"

class ResourceProbe {
 public:
  ResourceProbe(const std::filesystem::path& probeLibrary, HWND window);

  // The program's figures now; throws if the probe did not answer.
  [[nodiscard]] ResourceFigures Measure() const;

 private:
  SharedRecord<ResourceFigures> figures_{kResourceFiguresName};  // made before the probe looks
  ThreadHooks hooks_;
  HWND window_;
  UINT request_;
};

std::string Describe(const ResourceFigures& figures);
