// Time from a real click on 寻找 until the results list holds and has painted 1000 rows, in the
// real window under the real message loop. Prints figures; asserts nothing.
//   e2e_find_bench <quelvane.exe> [runs]
#include <ole2.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/quelvane_run.h"
#include "tests/e2e/user_input.h"
#include "tests/e2e/windows_of.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsToThousandRows(const std::filesystem::path& program) {
  QuelvaneRun run(program);
  const MainControls& c = run.Controls();
  run.DropFiles({run.Folder().Put(L"many.bin", std::string(4096, 'q'))});
  run.Type(c.编辑框1, L"q");
  BringToFront(c.window);
  ::SetCursorPos(CentreOf(c.按钮1).x, CentreOf(c.按钮1).y);
  run.Settle();

  const Clock::time_point start = Clock::now();
  PressLeftButton();
  // A message sent to the list waits for the click's handler to finish; then the rows are painted.
  while (ListRowCount(c.超级列表框1) != 1000) {
    if (Clock::now() - start > std::chrono::seconds(120)) return -1;
    ::Sleep(1);
  }
  ::RedrawWindow(c.超级列表框1, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  const Clock::time_point end = Clock::now();
  return std::chrono::duration<double, std::milli>(end - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: e2e_find_bench <quelvane.exe> [runs]\n");
    return 2;
  }
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  if (FAILED(::OleInitialize(nullptr))) return 1;
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) times.push_back(MillisecondsToThousandRows(WindowsPath(argv[1])));
  ::OleUninitialize();
  std::sort(times.begin(), times.end());
  std::printf("click on 寻找 to 1000 rows shown: %d runs, min %.1f ms, median %.1f ms, max %.1f ms\n", runs,
              times.front(), times[times.size() / 2], times.back());
  return times.front() < 0 ? 1 : 0;
}
