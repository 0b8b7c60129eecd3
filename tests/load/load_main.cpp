// Runs the load and fault cases against a quelvane.exe:
//   load_tests <quelvane.exe> [gtest options]
// The path may be given as the Linux host names it; Wine shows the host's root as drive Z:.
#include <gtest/gtest.h>
#include <ole2.h>

#include <cstdio>
#include <string>

#include "tests/e2e/quelvane_run.h"
#include "tests/e2e/win32_basics.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: load_tests <quelvane.exe> [gtest options]\n");
    return 2;
  }
  ProgramsUnderTest::quelvane = WindowsPath(argv[1]);
  if (!std::filesystem::exists(ProgramsUnderTest::quelvane)) {
    std::fprintf(stderr, "load_tests: %s is not there; build the window program first\n", argv[1]);
    return 1;
  }
  // Dragging needs OLE on this thread, as on any drag source.
  if (FAILED(::OleInitialize(nullptr))) return 1;
  const int result = RUN_ALL_TESTS();
  ::OleUninitialize();
  return result;
}
