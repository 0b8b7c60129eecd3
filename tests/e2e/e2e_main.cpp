// Runs the end-to-end cases against a quelvane.exe and the console program they patch:
//   e2e_tests <quelvane.exe> <greeting.exe> [gtest options]
// Paths may be given as the Linux host names them; Wine shows the host's root as drive Z:.
#include <gtest/gtest.h>
#include <ole2.h>

#include <cstdio>
#include <string>

#include "tests/e2e/quelvane_run.h"
#include "tests/e2e/win32_basics.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: e2e_tests <quelvane.exe> <greeting.exe> [gtest options]\n");
    return 2;
  }
  ProgramsUnderTest::quelvane = WindowsPath(argv[1]);
  ProgramsUnderTest::greeting = WindowsPath(argv[2]);
  if (!std::filesystem::exists(ProgramsUnderTest::quelvane)) {
    std::fprintf(stderr, "e2e_tests: %s is not there; build the window program first\n", argv[1]);
    return 1;
  }
  // Dragging needs OLE on this thread, as on any drag source.
  if (FAILED(::OleInitialize(nullptr))) return 1;
  const int result = RUN_ALL_TESTS();
  ::OleUninitialize();
  return result;
}
